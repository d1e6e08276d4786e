function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5, a6) {
  this.x = a4;
  this.y = a5;
  this.name1 = a6;
}
var b7 = isFinite('B7nCN7'.length + eval("43"));
var n8 = 2.75 % "cF".length;
var s9 = 'MwL\\'.substring(5);
if ((true || b7) || ('.5' <= 9)) {
  var n10 = ((0 / n8) % Math.atan(8)) % (Math.LN2 - (-18));
}
Response.Write(s9.charAt(-1) + "\n");
var s11 = s9 + s9;
var s12 = '5.';
