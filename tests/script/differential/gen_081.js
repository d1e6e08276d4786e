function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4, a5) {
  this.x = a3;
  this.y = a4;
  this.name1 = a5;
}
Response.Write((((" 7 " + 'yml4wGH') + 0.1) + ((-8) <= 2.75)) + "\n");
Response.Write((('JBN' + 0) + false) + "\n");
Response.Write(eval("20 + (16 - 39)") + "\n");
var n6 = ('42abc'.length - (-1)) + Math.exp(Math.asin(0.001));
var n7 = '9k1z4U?W'.length;
n7 = 6 / Math.atan2(1.5e-4, 0);
var s8 = "b".slice(41624, n6) + true;
var o9 = new P1(13 + n7, n7);
o9.w = s8.indexOf("b", -1);
o9.total = n6;
o9.total = -(73494 % n6);
