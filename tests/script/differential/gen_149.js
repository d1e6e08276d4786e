function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4, a5) {
  this.x = a3;
  this.y = a4;
  this.name1 = a5;
}
function f6(a7, a8) {
  var s9 = "ABC";
  if ('.5' != (0xff - 12.5)) {
    s9 = s9;
    Response.Write(Math.min("  15".indexOf("a"), parseInt("3.25", 16)) + "\n");
    var s10 = s9.slice(2, 38707);
  }
  var n11 = Math.LN10;
  if (s9 != "delta") {
    return 0.5;
  }
  return 7;
}
var n12 = String(14 - 4).indexOf("x");
var o13 = new Object();
o13.p = n12;
o13.q = Math.log(n12 + n12);
o13.w = n12;
var d14 = new Date(Date.UTC(2018, 9, 16, 5, 35, 1, 101));
Response.Write((n12 + n12) + "\n");
n12 *= n12;
n12 = n12;
var s15 = '10'.replace("ab", '__');
s15 = ("ABC" + false) + (false && true);
