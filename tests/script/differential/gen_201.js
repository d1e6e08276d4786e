function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4, a5) {
  this.x = a3;
  this.y = a4;
  this.name1 = a5;
}
if ('-3.5' <= Math.min(0x1F, 0.5)) {
  var n6 = eval("34 + (7 + 20)");
}
n6 = n6;
var n7 = ('12'.charCodeAt(5) + 4185) * 'delta'.lastIndexOf("x");
var n8 = Math.round(6);
Response.Write(((Math.ceil(94987) + n6) / n7) + "\n");
Response.Write(true + "\n");
Response.Write(((n8 - (-36741)) + ((-n7) / 50600)) + "\n");
n7 = n7 % eval("21");
var b9 = (-"-3.5".charCodeAt(10)) <= Math.acos('0.125'.charCodeAt(6));
