function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
var n4 = -(-Math.abs(18));
var n5 = n4;
var o6 = new P1(Math.abs(n5), Math.min(1.5, n5), "C6MIL\"" + "  15");
o6.w = 69840 + (n5 + 15);
o6.w = (71015 % n4) - (n5 % n4);
o6.total = 30717;
Response.Write(n5 + "\n");
n5 = n4;
var n7 = n4;
n5 *= '-3.5'.indexOf("-", 11);
var s8 = '' + "Beta".length;
var n9 = n7;
