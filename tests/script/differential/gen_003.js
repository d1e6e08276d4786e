function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5) {
  this.x = a4;
  this.y = a5;
}
var n6 = eval("16");
var b7 = isNaN(n6 / 0.5);
var b8 = Math.min(1.5, n6 % n6) < 7;
Response.Write("".replace('A', 'XY') + "\n");
var b9 = isFinite("5.".toUpperCase().length);
var d10 = new Date(3797822525000);
d10.setUTCDate(17);
d10.setUTCMinutes(18);
Response.Write(isNaN(n6) + "\n");
if ("3.25" === 15) {
  Response.Write('3.25'.substring(1, n6).indexOf(" ", 2) + "\n");
}
if (isNaN(0)) {
  Response.Write((typeof ("Hello".substring(8) - 2)) + "\n");
} else {
  Response.Write(n6 + "\n");
  n6 = 'delta'.charCodeAt(0) + Math.ceil(n6);
}
var n11 = eval("(43 - n6) + (45 - 8)");
n11 -= n6;
var n12 = n6;
var s13 = ('xb5?' + Math.max(n11, 66149)) + ("5." < n12);
