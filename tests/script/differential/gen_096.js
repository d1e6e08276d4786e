function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5, a6) {
  var n7 = Math.acos(eval("44"));
  if (n7 >= n7) {
    return eval("40 * n7");
  }
  return parseInt("delta" + true, 10);
}
function f8(a9) {
  Response.Write('10' + "\n");
  return a9;
}
Response.Write((16 / ((-3.125) % (-16))) + "\n");
var n10 = "zz".length - "mIxEd".toLowerCase().indexOf("o");
if (("\n" + false) !== ".5".charAt(9)) {
  var n11 = f4(false, false);
  var s12 = typeof ("BTjJYB".replace('ll', '') + "  15");
  Response.Write(("  15" !== (Math.floor(n11) / f8(n11))) + "\n");
} else {
  Response.Write(("ff" === n10) + "\n");
  Response.Write('8'.indexOf('o') + "\n");
}
if (n11 >= f4(false, true)) {
  var b13 = true;
}
Response.Write(isNaN(s12 + s12) + "\n");
Response.Write(((14 * (15922 / n11)) / 57107) + "\n");
