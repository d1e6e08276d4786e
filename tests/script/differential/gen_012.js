function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
Response.Write(eval("(41 * 16) + 40") + "\n");
var n5 = 2;
var b6 = (!(2E5 >= n5)) || ('0x1F' !== (n5 / 18));
n5 += n5 + (n5 - 2);
Response.Write('Hello' + "\n");
Response.Write("9".toUpperCase() + "\n");
Response.Write("" + "\n");
var s7 = String(n5);
var o8 = new P1("5.".charCodeAt(11), parseFloat('ff'));
o8.q = n5;
o8.p = parseFloat("tPkr!\r");
if (isFinite(0.3 + n5)) {
  var d9 = new Date(2063, 0, 7, 1, 9, 22);
  d9.setDate(27);
}
var s10 = s7;
