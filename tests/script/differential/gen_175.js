function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4, a5) {
  this.x = a3;
  this.y = a4;
  this.name1 = a5;
}
function f6(a7) {
  return "Hello".lastIndexOf('l');
}
Response.Write((((1.5e-4 - 15) >= (11 + 9)) && ('alpha'.replace('-', "") == "255".toUpperCase())) + "\n");
var n8 = f6('stxB-hP'.toUpperCase());
var d9 = new Date(2012, 5, 22, 22, 29, 23, 579);
d9.setUTCSeconds(22);
d9.setMonth(3);
var o10 = new Object();
o10.q = n8;
o10.p = n8;
var n11 = o10.q;
var n12 = o10.q;
