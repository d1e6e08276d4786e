function f1(a2, a3, a4) {
  return a3 / Math.abs(a3);
}
if ((14 + 0.3) >= f1('ff', 18, false)) {
  var s5 = String.fromCharCode(118, 67, 96);
}
var s6 = s5;
var b7 = ((s6 + 2.75) == s5) || ('1e3' != eval("4"));
s5 = "1e3";
if (isNaN(13 * 31466)) {
  var s8 = String.fromCharCode(100, 78);
  Response.Write(s6 + "\n");
}
Response.Write(("tM\\".length - 9) + "\n");
if ('x' == ("7Z" + s6)) {
  var b9 = s6 > s5;
  Response.Write(3.125 + "\n");
}
s5 = s5;
var b10 = (-(12 + 7)) == Math.pow(12, 7);
var s11 = String(parseFloat(s8)) + (("q!?" === '1e3') && (0.2 < 0.1));
if ((13 !== 48871) || (b7 && b7)) {
  var n12 = 0;
  Response.Write(f1(s6 + "hFR", s6.slice(8).indexOf('-'), !isNaN(95677)) + "\n");
} else {
  Response.Write(n12 + "\n");
}
