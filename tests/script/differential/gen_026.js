function f1() {
  return parseFloat(String(96046));
}
function f2(a3, a4, a5) {
  if (a3) {
    return a5 % a5;
  }
  return a5;
}
function f6(a7) {
  if (isFinite(17 / 6911)) {
    var n8 = Math.sin('K_1ksF'.length);
  } else {
    Response.Write(a7 + "\n");
  }
  var n9 = "p9".length - 'x'.indexOf("a");
  return 'gamma' + f1();
}
Response.Write(((('3.25' + 0x1F) + ("miFWbVv" + 0.1)) + (eval("38") !== ('.5' - 1))) + "\n");
var n10 = f6(false && true) - 3;
var n11 = eval("n10");
var n12 = Math.atan2(parseInt("5.", 10), 13);
Response.Write("#1hbKaO7".substring(-3, "3.25".indexOf('ab', -1)) + "\n");
var d13 = new Date(2059, 1, 12, 13, 27, 37);
d13.setUTCDate(14);
d13.setUTCFullYear(2039);
if (n12 !== n10) {
  n11 = n10;
}
var n14 = n11;
Response.Write('ABC'.charAt(d13.getUTCHours()) + "\n");
var n15 = eval("n14 - (29 * 21)");
n15 += f1();
var s16 = typeof "42abc".length;
var o17 = new Object();
o17.total = f1();
o17.w = ("-3.5" - 3) / 21630;
o17.w = n12;
var o18 = new Object;
o18.p = n11;
o18.w = parseFloat(String(13));
var n19 = eval("(20 - n14) - 0");
if (isNaN(f6(false))) {
  Response.Write(n11 + "\n");
  Response.Write(("-0" >= (Math.log(1.5) % (n19 / n14))) + "\n");
  Response.Write((("42abc" - 3) + d13.getUTCSeconds()) + "\n");
}
