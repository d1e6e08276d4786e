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
  return a8.slice(12);
}
var s9 = String(9 + 2E5);
Response.Write((!(String.fromCharCode(66) == s9)) + "\n");
var n10 = 92883 / 28328;
var n11 = n10 * ((n10 % n10) / (-n10));
var s12 = "0yJE\"";
s12 += (s9 + n11) + String.fromCharCode(87, 122, 93);
Response.Write(true + "\n");
