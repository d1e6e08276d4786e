function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5, a6, a7) {
  var s8 = "  15";
  return 4843;
}
var s9 = "AbCdEf";
var n10 = 3 + ((0 / 1) + Math.atan2(5, 0));
Response.Write((isNaN(s9) && ('' >= 'Jwzk#_'.length)) + "\n");
var d11 = new Date(2001, 6, 2, 0, 22, 3);
d11.setUTCFullYear(1987);
d11.setUTCMonth(10);
var n12 = s9.indexOf("A") - parseFloat("abc");
var b13 = false;
n12 += Math.abs(s9.length);
n10 = Math.atan(n12);
s9 = String(f4(b13, n10, n10));
if ('+8' !== (-n12)) {
  if ('x' === s9) {
    s9 += "0x1F";
    Response.Write(parseFloat('+8') + "\n");
    if (eval("33") >= 15) {
      Response.Write(8 + "\n");
      var n14 = s9.charCodeAt(2) % (68512 % n10);
      Response.Write((n14 + 16) + "\n");
    }
  }
  var s15 = '';
} else {
  var o16 = new P1(n14, d11.getTime(), ":x_k'".charAt(7));
  o16.w = s9.charCodeAt(12);
  var n17 = n10;
}
s15 = s9 + n10;
n12++;
