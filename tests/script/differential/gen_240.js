function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4, a5, a6) {
  if (true) {
    return "m!Suzhiy";
  }
  return String.fromCharCode(120, 92) + (a5 && a5);
}
Response.Write(14916 + "\n");
Response.Write(('x' + "world".length) + "\n");
Response.Write(false + "\n");
Response.Write(('' >= String(8).indexOf("ab", 9)) + "\n");
Response.Write(16002 + "\n");
var o7 = new P1(313 - 17, Math.LOG2E);
o7.label = '';
o7.w = parseInt('1e3', 10);
o7.p = 64175 - "q!?".length;
var n8 = o7.y;
var n9 = eval("(n8 * n8) - (34 * 33)");
Response.Write(false + "\n");
var n10 = Math.atan2(1, n8);
if (n9 > Math.floor(n10)) {
  n9 += -"s.PrHp0".length;
}
var o11 = new Object();
o11.w = n8 * Math.pow(n9, 1);
o11.q = 1;
o11.w = n10;
