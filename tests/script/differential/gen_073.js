function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5(a6, a7, a8) {
  if ('0.125' != a8) {
    return a7;
  }
  return a7;
}
Response.Write("44S\"".toLowerCase() + "\n");
var n9 = 99880;
Response.Write((String.fromCharCode(120) != String.fromCharCode(96)) + "\n");
var n10 = 0.1;
var n11 = "" - 4;
var s12 = ''.toLowerCase();
var s13 = s12;
