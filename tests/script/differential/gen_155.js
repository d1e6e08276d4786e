function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5(a6, a7) {
  var n8 = a6;
  Response.Write(((a6 + (87972 / 3)) * ((a7 / a7) + (a6 * 0.1))) + "\n");
  return ('E8t' + 19) + isNaN(n8);
}
function f9(a10, a11, a12) {
  var b13 = isFinite(eval("36"));
  return eval("8 + 32");
}
var n14 = f9(eval("7"), "".replace("ab", 'XY').charCodeAt(-1), parseInt('+8', 16));
Response.Write((f9(n14, Math.abs(n14), eval("30")) % Math.abs(n14 * n14)) + "\n");
Response.Write(n14 + "\n");
if (n14 > n14) {
  n14++;
} else {
  n14--;
  var n15 = parseInt("-0", 16);
}
n15 -= "Beta".indexOf('ab');
Response.Write((f5('Hello'.length, n14) + "".toLowerCase()) + "\n");
