function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5) {
  if (a5.indexOf("A") < (17 + 4)) {
    Response.Write(String.fromCharCode(79) + "\n");
    Response.Write(a5 + "\n");
  }
  return 8127 / 9;
}
var o6 = new P1(-10, 36715 - 1.5e-4, typeof 'nU#U');
o6.q = 0.25;
o6.label = typeof (0 / 3.125);
Response.Write(((typeof 'j!\n') + (String.fromCharCode(76, 106) + (1.5e-4 !== 15))) + "\n");
var d7 = new Date(3239724998000);
d7.setUTCMinutes(10);
var n8 = .5;
if (eval("11") === n8) {
  var n9 = f4(String(n8) + n8);
  Response.Write(d7.valueOf() + "\n");
  if ('delta'.charCodeAt(5) > Math.tan(95697)) {
    Response.Write(87963 + "\n");
    Response.Write(isFinite(typeof n9) + "\n");
  } else {
    Response.Write((('3.25' * 1) / ' 7 '.charCodeAt(n9)) + "\n");
    var i10;
    i10 = 1;
    while (i10 < 7) {
      if ('.5' >= n9) {
        break;
      }
      i10++;
    }
  }
}
var n11 = 8 * f4(String(n9));
var o12 = new Object;
o12.q = f4('68! Hp"');
n11--;
var o13 = new P1(97467, "255".lastIndexOf('-'), 'bn:!ap.');
o13.w = d7.getTime();
o13.total = o12.q;
