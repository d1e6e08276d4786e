function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5) {
  this.x = a4;
  this.y = a5;
}
function f6(a7, a8) {
  Response.Write(("42abc".replace(' ', 'XY').length !== Math.floor(parseFloat(" 7 "))) + "\n");
  if (isFinite(10 + 0.001)) {
    var n9 = eval("31 * 24");
    n9--;
    var s10 = "one two";
  }
  return s10.lastIndexOf(" ", 2) % n9;
}
var s11 = String(eval("3"));
Response.Write(1.5 + "\n");
if (true || (57542 !== 20)) {
  s11 = s11.toLowerCase();
  Response.Write(s11 + "\n");
}
var o12 = new P1(f6(false, true), -12, s11);
o12.total = 0 - ('' * 2);
s11 += s11;
var d13 = new Date(4050718031000);
d13.setDate(3);
var s14 = s11;
if ((2 % 0.001) <= 17) {
  s11 = "mIxEd";
}
Response.Write(3 + "\n");
if (Math.max(8, 0) >= 35271) {
  var n15 = 8172 * 20;
} else {
  var d16 = new Date(2036, 3, 9, 8, 59, 2, 762);
  d16.setUTCMonth(11);
  d16.setUTCFullYear(2066);
}
