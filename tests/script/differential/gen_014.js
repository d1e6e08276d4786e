function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4() {
  Response.Write(" 7 ".charAt(11 / 1.5e-4) + "\n");
  var i5;
  i5 = 3;
  do {
    var n6 = 0xff;
    if ('Hello' != '# hc2') {
      break;
    }
    Response.Write((('delta'.toLowerCase() + String.fromCharCode(117, 72)) + (('.5' + false) + ("one two" + "42abc"))) + "\n");
    i5++;
  } while (i5 < 8);
  Response.Write(''.toLowerCase() + "\n");
  if (false) {
    return String(15) + "0x1F".charAt(-3);
  }
  return ('10' + false) + "".toLowerCase();
}
Response.Write(((('one two' + 1e3) == ('ff' + 17)) && ((typeof 'lu') === "ABC".substring(-3))) + "\n");
Response.Write(3 + "\n");
Response.Write(String.fromCharCode(112, 110) + "\n");
var d7 = new Date(1993, 11, 27, 7);
d7.setUTCHours(24);
d7.setUTCDate(33);
var b8 = isFinite(0 - eval("17"));
var n9 = 'WD8nj8'.length;
Response.Write(('+8' > n9) + "\n");
n9 = n9;
n9++;
