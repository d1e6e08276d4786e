function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5) {
  return a5;
}
function f6(a7) {
  var b8 = "" > a7;
  Response.Write(String(f4(a7) % (a7 * 12.5)) + "\n");
  var n9 = a7;
  return "AbCdEf".charAt(9).indexOf("1");
}
Response.Write('ybU'.indexOf(' ', 29270) + "\n");
Response.Write(((eval("15") <= Math.E) || (0xff > (14 * 8))) + "\n");
Response.Write(" 7 " + "\n");
var d10 = new Date(Date.UTC(2074, 8, 13, 12, 13));
var n11 = f4(.5 / '3.25'.indexOf(' '));
Response.Write((5 < parseFloat(' 7 ')) + "\n");
var b12 = isFinite(2 / n11) && ((false && false) || false);
