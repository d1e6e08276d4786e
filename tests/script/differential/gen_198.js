function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4, a5) {
  this.x = a3;
  this.y = a4;
  this.name1 = a5;
}
function f6(a7, a8, a9) {
  Response.Write((typeof Math.min(eval("18"), eval("2"))) + "\n");
  var n10 = Math.min(Math.ceil(-25853), -a9);
  return Math.pow(a9, 6);
}
var n11 = 49737;
var d12 = new Date(1995, 11, 6, 8, 49, 6, 512);
Response.Write(isNaN(d12.getUTCDate()) + "\n");
n11 -= n11;
Response.Write(("0x10" == n11) + "\n");
Response.Write(" 7 ".charAt(10).lastIndexOf('l') + "\n");
var b13 = isFinite("x" + 'bE'.charCodeAt(8));
var o14 = new Object();
o14.w = n11 + (2 * n11);
o14.w = f6(2, n11, 12) - (n11 - 9);
o14.label = typeof (n11 * 85605);
var n15 = eval("n11");
Response.Write(eval("28 - n15") + "\n");
