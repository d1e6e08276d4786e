function f1(a2, a3, a4) {
  return parseInt('-0', 16) + (1.5e-4 + a3);
}
function f5(a6, a7, a8) {
  return Math.min(12 % a8, 20);
}
function f9(a10, a11, a12) {
  if ("7fffffff" != (a11 * a12)) {
    var s13 = "one two".charAt(-2);
    Response.Write(s13.indexOf('l') + "\n");
    Response.Write(false + "\n");
  } else {
    var s14 = s13.replace('o', "-");
  }
  if (f1(5, 10, s14) != a10) {
    Response.Write(((typeof (4 / 65002)) <= s13.toLowerCase()) + "\n");
    a12 -= f1(f1(a12, a12, s13), 20, "B_otNJg");
    s13 += '' + s13;
  }
  var n15 = a11;
  return a12;
}
var s16 = String.fromCharCode(94, 85);
if (isFinite(String(0x1F))) {
  s16 += s16;
} else {
  Response.Write(false + "\n");
}
var n17 = 40144 * 5;
Response.Write("12".indexOf('x') + "\n");
Response.Write(false + "\n");
n17--;
var n18 = s16.length;
s16 += typeof (s16 + false);
var d19 = new Date(Date.UTC(2085, 1, 9, 2, 14));
d19.setDate(5);
d19.setUTCMinutes(1);
Response.Write(('1e3'.indexOf('A') < String.fromCharCode(91, 93, 82).length) + "\n");
Response.Write('AbCdEf'.replace(' ', "XY").length + "\n");
