function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3() {
  var i4;
  for (i4 = 0; i4 < 6; i4 += 2) {
    if (i4 < 0.2) {
      continue;
    }
    var b5 = isFinite(Math.pow(i4, i4));
  }
  return -(i4 + i4);
}
function f6(a7, a8, a9) {
  var n10 = f3();
  return "Hello";
}
var s11 = "zz".charAt(14 - 97994);
var s12 = "delta";
Response.Write((eval("48") * 7) + "\n");
if ((0.2 + 12) < (0.1 + 17)) {
  s11 += typeof eval("37");
}
Response.Write((false || ((-87216) == (8 + 1666))) + "\n");
var s13 = s11;
var d14 = new Date(Date.UTC(2015, 6, 25));
d14.setMonth(9);
Response.Write((20 + eval("17")) + "\n");
var n15 = eval("19 - (38 - 27)");
