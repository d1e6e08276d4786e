function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4, a5) {
  this.x = a3;
  this.y = a4;
  this.name1 = a5;
}
function f6(a7, a8, a9) {
  if (a8 != a8) {
    return a8 * Math.min(10, 0xff);
  }
  return -a8;
}
function f10(a11) {
  a11 = eval("a11 + 20");
  var n12 = 5;
  if (true) {
    Response.Write(true + "\n");
    n12 = parseInt('lt3\'', 10) - ''.indexOf("l");
  } else {
    var n13 = 99.99;
    var n14 = n12;
  }
  return "javT9";
}
function f15(a16, a17, a18) {
  return Math.round(18);
}
Response.Write(f6(true, 20 * (11 % 4), f10(1e3)) + "\n");
var n19 = 12;
var d20 = new Date(1118294668000);
d20.setUTCFullYear(2090);
d20.setDate(12);
Response.Write(eval("(11 - 10) - (n19 - n19)") + "\n");
n19--;
if ("0x10" >= (1 * n19)) {
  var n21 = String(n19 * 3).length;
}
if (isNaN(n21)) {
  var d22 = new Date(3110202986000);
  var d23 = new Date(1990, 1, 18, 13, 35, 7, 291);
  Response.Write(('42abc' <= n19) + "\n");
} else {
  Response.Write("Yv" + "\n");
  var n24 = '0.125'.lastIndexOf('l', -1) + n19;
}
var d25 = new Date(Date.UTC(2084, 0, 27, 18, 38));
d25.setDate(23);
Response.Write(n21 + "\n");
