function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4, a5) {
  this.x = a3;
  this.y = a4;
  this.name1 = a5;
}
function f6(a7) {
  Response.Write(false + "\n");
  a7 = a7 + a7.replace("o", '-');
  Response.Write(Math.min(24268 * eval("30"), (0.25 + 35488) + (1.5e-4 - 1)) + "\n");
  return a7 + Math.acos(16);
}
var n8 = -eval("1 + 28");
if (isFinite('alpha'.indexOf('A', 10))) {
  Response.Write(11 + "\n");
  var d9 = new Date(2080, 11, 8, 20);
  d9.setUTCSeconds(45);
  d9.setUTCSeconds(52);
  if (isFinite(eval("23"))) {
    var s10 = "world";
    Response.Write((s10 + 6) + "\n");
    var n11 = String.fromCharCode(90).length / n8;
  }
}
Response.Write(n8 + "\n");
var o12 = new P2(parseInt("3.25", 10), n8, f6("v"));
o12.label = String(d9.valueOf());
o12.label = f6('E9h'.replace(" ", "-"));
var d13 = new Date(Date.UTC(2018, 1, 18, 8));
d13.setUTCMonth(1);
d13.setUTCFullYear(2025);
var b14 = o12.y !== ((-3) - n8);
