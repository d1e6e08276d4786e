function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
var d4 = new Date(2007, 3, 20, 3);
d4.setUTCMonth(12);
d4.setUTCFullYear(2035);
var n5 = 26106;
n5 = eval("n5");
var n6 = n5;
n5 *= 64784;
Response.Write(isNaN("  15".replace('ab', '__')) + "\n");
