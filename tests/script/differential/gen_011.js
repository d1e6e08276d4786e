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
var b7 = ((0xff / 14) !== (-16)) || (!isFinite(1e3));
var s8 = typeof 'delta'.replace('-', '__');
Response.Write((s8 < String(14)) + "\n");
var s9 = typeof '0Gu';
s9 = 'I?R4Y3j6';
var b10 = false;
var b11 = ".5" < 4;
Response.Write((((19 % 1.5e-4) > s9.indexOf('a')) || ((!b11) || (s8 < s9))) + "\n");
s8 += "uTTr";
var d12 = new Date(Date.UTC(2037, 6, 25, 23, 8, 5, 212));
Response.Write((!(s9.charAt(-3) !== s9)) + "\n");
var d13 = new Date(Date.UTC(1974, 3, 4, 22, 57, 22));
d13.setUTCFullYear(2073);
