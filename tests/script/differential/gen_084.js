function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
var b3 = !(10541 != (12 % 7));
var n4 = 19;
n4 += ''.length;
n4++;
var o5 = new Object();
o5.w = 5;
o5.p = (n4 / n4) % '0x1F'.indexOf('x', 1);
Response.Write((eval("38 - 45") === Math.asin(n4)) + "\n");
n4 += Math.atan2(1e3, n4 / n4);
Response.Write((1 > eval("n4 - 32")) + "\n");
