function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3() {
  var s4 = "Td".toUpperCase();
  var n5 = (Math.min(4, 7) - (5 + 0.1)) + (eval("7") * 2.75);
  return s4.indexOf('-', 4) % (0xff + 0.25);
}
function f6(a7, a8, a9) {
  if (false) {
    Response.Write(((Math.pow(0, 8) * Math.tan(a7)) + "q!?".indexOf('x', a7)) + "\n");
  } else {
    Response.Write(isNaN(a7 / f3()) + "\n");
  }
  if (isFinite(eval("a7"))) {
    var b10 = isNaN(parseFloat("12"));
    Response.Write((a8.lastIndexOf("x", -2) / Math.E) + "\n");
    var s11 = a8;
  } else {
    var n12 = (73561 + a7) % (a7 - a7);
  }
  if (true) {
    n12 = Math.ceil(Math.exp(a7));
  }
  return a7 * (a7 % 10);
}
var s13 = 'Beta' + (isNaN(0) && (!true));
var n14 = 0x1F;
var b15 = false;
var b16 = false && (s13.replace('o', "[]") !== String(9));
s13 += "x" + (b16 || b16);
Response.Write((''.lastIndexOf("1") % (n14 / ('' * 3))) + "\n");
var o17 = new Object;
o17.total = (n14 % 15) - n14;
