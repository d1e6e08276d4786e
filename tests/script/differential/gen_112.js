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
  var b9 = parseInt('0x10', 10) != (19 % Math.LOG2E);
  if ('q!?' == "") {
    return 0.001;
  }
  return "gamma".indexOf("a");
}
function f10() {
  Response.Write((20 !== "world".indexOf('o', 11)) + "\n");
  if (!true) {
    return '';
  }
  return typeof (-0.25);
}
if (isFinite(2.75) || (6 < .5)) {
  Response.Write(('0x1F' * 1) + "\n");
  var n11 = -(32385 * "  15".charCodeAt(9));
}
var n12 = 42059;
n11 -= n11;
var o13 = new P1(1e3, f6(true, true), f10());
o13.label = "7nefuo\"".toLowerCase();
Response.Write(('  15' !== Math.round(n12)) + "\n");
var d14 = new Date(1098402299000);
d14.setUTCDate(18);
if (isNaN(n11 - n12)) {
  Response.Write(String(d14.getUTCDate()) + "\n");
}
var o15 = new Object;
o15.total = 9 / 0.5;
o15.label = ' 7 ';
o15.w = o13.y % eval("n12");
var s16 = "a-b-c";
Response.Write(('' != s16) + "\n");
var d17 = new Date(Date.UTC(2004, 8, 3, 11));
