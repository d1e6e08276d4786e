function f1(a2, a3) {
  var n4 = -a3;
  Response.Write((((0.3 * n4) + (11 + n4)) / a3) + "\n");
  Response.Write((!false) + "\n");
  return Math.ceil(a3);
}
function f5(a6) {
  var s7 = a6;
  var b8 = ('42abc' < (11 % 0.3)) && false;
  Response.Write((!true) + "\n");
  if (b8 && true) {
    return Math.atan(-0.25);
  }
  return 1.5;
}
var s9 = "r" + ("delta".charAt(11) + String(44206));
var o10 = new Object;
o10.label = String.fromCharCode(106, 99, 85);
Response.Write(s9 + "\n");
Response.Write(s9 + "\n");
Response.Write(false + "\n");
var d11 = new Date(Date.UTC(2056, 3, 12, 7, 49));
d11.setUTCDate(24);
d11.setUTCFullYear(2026);
var d12 = new Date(Date.UTC(2069, 6, 23, 15, 22));
d12.setUTCFullYear(1995);
