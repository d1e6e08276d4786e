function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5, a6) {
  this.x = a4;
  this.y = a5;
  this.name1 = a6;
}
function f7(a8, a9, a10) {
  Response.Write(a9 + "\n");
  return a8 - 35020;
}
var s11 = "delta".replace("l", '__');
var n12 = (Math.max(3, 0) % f7(7, 96087, true)) - (s11.indexOf("ab") * 3);
var d13 = new Date(Date.UTC(2046, 0, 25));
d13.setMonth(8);
d13.setUTCDate(6);
if (isFinite(s11)) {
  var n14 = s11.lastIndexOf('ab', 9);
} else {
  var n15 = .5;
  Response.Write(((-n12) * parseInt('007', 16)) + "\n");
}
var b16 = s11 < s11.substring(3, n12);
if (isNaN(-1.5e-4)) {
  var n17 = n14;
  var n18 = f7((20 * 0.25) + n14, f7(d13.getUTCDay(), Math.cos(n15), b16 && b16), ".5" === d13.getUTCSeconds());
  if (n17 >= n18) {
    var n19 = 15 + n15;
    Response.Write(String.fromCharCode(117, 69, 75) + "\n");
  } else {
    Response.Write(n15 + "\n");
  }
} else {
  Response.Write(s11 + "\n");
}
var b20 = ((-n14) == 'one two'.indexOf('-')) && b16;
