function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4, a5) {
  var n6 = a5;
  var b7 = true;
  var n8 = -n6;
  return "ff";
}
function f9(a10, a11, a12) {
  a10 = a12;
  var n13 = Math.LOG10E + (a12 * (9 * a12));
  var s14 = String(eval("a10"));
  return '255' + ("0x10" < n13);
}
if (isNaN(99.99)) {
  var o15 = new P1(1e3 % 8, 16);
  o15.w = -(0.2 + 9);
  o15.label = "mIxEd" + isFinite('one two');
  Response.Write('delta'.toLowerCase() + "\n");
  var n16 = 2E5 / 3.125;
}
n16--;
Response.Write((n16 * 9) + "\n");
Response.Write(((("N:bn" + 'je xq0?J') + (true && true)) + ('Y'.lastIndexOf('1') - (n16 * 3))) + "\n");
var d17 = new Date(1989, 9, 12, 0, 56, 42, 401);
Response.Write(n16 + "\n");
var n18 = d17.getHours();
