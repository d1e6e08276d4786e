function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4, a5) {
  Response.Write(a4 + "\n");
  Response.Write((a5 !== eval("a5 + 40")) + "\n");
  return Math.sqrt(-11);
}
function f6(a7) {
  var n8 = 78880;
  return "0x1F" * 1;
}
function f9() {
  if (true) {
    var n10 = 0xff;
    var b11 = false;
    var b12 = "5." >= (-n10);
  }
  n10 *= n10;
  n10 = Math.min(n10, 18);
  return n10;
}
var d13 = new Date(Date.UTC(2012, 6, 27, 11));
var n14 = d13.getMonth();
Response.Write((("" + "Hello".length) + true) + "\n");
Response.Write((d13.getUTCDate() - ((-n14) + eval("28"))) + "\n");
n14 = parseFloat('80zUgh:m'.toUpperCase());
if ("q!?" === "3.25".slice(5, -1)) {
  Response.Write(("1e3".indexOf('o') >= "x!FT?xk3".indexOf('A', 20)) + "\n");
  var n15 = eval("(35 - 39) - n14");
}
n15 = n15 % 1.5;
Response.Write((f6(true) > d13.getFullYear()) + "\n");
n14 = f3('delta'.substring(1), n15);
Response.Write(String.fromCharCode(119) + "\n");
var b16 = ((!true) || true) || (!("a-b-c" > "one two"));
Response.Write((n15 != n14) + "\n");
var n17 = eval("n15");
