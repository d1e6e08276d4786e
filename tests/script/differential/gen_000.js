function f1(a2, a3) {
  if (false && a2) {
    return '8TCvd7Ps'.replace('x', "");
  }
  return "'";
}
var b4 = (isFinite("xCOH\\") || true) || ('+8' < (5 % 19));
Response.Write(("one two" + (typeof "vwuK")) + "\n");
Response.Write(isNaN(Math.SQRT2) + "\n");
var d5 = new Date(1985, 9, 14);
var b6 = isFinite(9);
var o7 = new Object();
o7.p = 1;
o7.q = 3.125;
var b8 = ("0x10" == (8 + 0.001)) || isFinite('Hello');
