function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4, a5) {
  Response.Write(isFinite("12".charAt(6)) + "\n");
  var n6 = a4;
  return 12.5;
}
if (eval("44") <= Math.sin(11)) {
  var s7 = 'gamma';
} else {
  Response.Write((((1 + 1.5e-4) <= (9 - 0xff)) && (12.5 <= (14 % 878))) + "\n");
}
s7 = String.fromCharCode(83);
Response.Write("world" + "\n");
if ((2 + 3.125) >= (72572 % 6)) {
  s7 += 'mIxEd' + 18;
  Response.Write(0.5 + "\n");
  var s8 = s7 + ((!false) || (s7 !== s7));
}
Response.Write(isNaN(s7.lastIndexOf('A')) + "\n");
var o9 = new P1(12 % 2, s7.charCodeAt(5));
o9.p = eval("17");
s7 += s7;
Response.Write(((" 7 " <= Math.min(14, 68334)) || true) + "\n");
