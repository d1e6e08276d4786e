function f1(a2) {
  return a2;
}
function f3(a4) {
  var n5 = 9;
  Response.Write(a4 + "\n");
  Response.Write('0.125' + "\n");
  return a4;
}
function f6(a7, a8, a9) {
  var s10 = "9zc";
  var s11 = s10;
  Response.Write((false && isNaN(11)) + "\n");
  return s10;
}
var o12 = new Object;
o12.q = 'abc'.replace('a', '[]').indexOf('a', 3);
o12.total = String.fromCharCode(76, 97).indexOf("ab");
o12.total = Math.SQRT1_2 * parseInt("  15", 10);
var b13 = '0x1F' != "0x1F";
var n14 = Math.cos(31611);
Response.Write('one two' + "\n");
n14 = n14;
Response.Write(15 + "\n");
var n15 = 57770;
Response.Write(b13 + "\n");
