function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4, a5) {
  var n6 = -a4;
  var s7 = a5 + ((1.5 + a4) === n6);
  a4--;
  return "ABC";
}
function f8(a9, a10, a11) {
  if (a9 <= 5) {
    return Math.ceil(-13);
  }
  return eval("a9");
}
var s12 = String.fromCharCode(115, 84, 80) + ("".slice(3, 4) + false);
var o13 = new P1(0 % 2, 11 - 0.001);
o13.q = parseFloat("3.25");
o13.p = Math.asin(19 - 16);
s12 += f3(1, s12);
Response.Write(((45581 % (42492 + 10)) + o13.p) + "\n");
var n14 = o13.p;
if (!true) {
  Response.Write(('1.5e-3' > (n14 % n14)) + "\n");
  Response.Write(o13.p + "\n");
} else {
  var b15 = n14 >= f3(n14, "Beta").indexOf(" ");
}
var o16 = new Object();
o16.total = n14;
o16.w = s12.charCodeAt(9);
o16.label = f3(n14 / 14, '2niHn');
n14 *= n14 + f8(35975, s12, b15);
Response.Write((true && ((s12 <= '_7\\') && (14 != n14))) + "\n");
var n17 = n14;
if (isNaN('-3.5'.length)) {
  Response.Write(isNaN(f8(n17, "  15" + n14, n14 == n14)) + "\n");
} else {
  Response.Write(eval("n17") + "\n");
}
var d18 = new Date(885262305000);
d18.setUTCSeconds(1);
var o19 = new P1('gBynmf5'.indexOf('b', 2), n17);
o19.w = 38467;
