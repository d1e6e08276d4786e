function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5, a6) {
  this.x = a4;
  this.y = a5;
  this.name1 = a6;
}
Response.Write((((1e3 * 13828) + "x".indexOf("-")) !== Math.min('Hello'.lastIndexOf('a'), 84964)) + "\n");
Response.Write(('1e3' !== String.fromCharCode(96, 76)) + "\n");
var b7 = true;
var s8 = 'a1CXy'.toLowerCase();
var n9 = 92866 % (-(-20));
var s10 = s8;
if (isNaN(n9)) {
  var n11 = n9;
  s10 = " 7 ".substring(-3);
  var n12 = n11;
}
Response.Write(((s8 + (n11 === n12)) + s10) + "\n");
var s13 = String.fromCharCode(105, 105);
