function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
Response.Write("3.25".length + "\n");
var b4 = true || ((19 > 99.99) && (5 === 76759));
var b5 = '12' !== (3.125 % (8 + 19));
Response.Write(('3.25'.charAt(1) + String(0.3)) + "\n");
var n6 = 99.99 + Math.min('ff'.lastIndexOf("x"), -.5);
var n7 = n6 / Math.atan2(n6, Math.acos(3));
n7 *= n7;
var o8 = new Object();
o8.p = '1e3'.replace('o', "XY").lastIndexOf('l', n7);
o8.total = 0.2;
o8.p = 2.75 / Math.cos(n6);
