Response.Write('world'.slice(9 / 9, 10) + "\n");
Response.Write((0xff - eval("4")) + "\n");
Response.Write('  15' + "\n");
var s1 = (("q!?" + 0.2) + true) + (("zKi!?" + 2) + false);
if (!(32770 > 12)) {
  if (isNaN(s1)) {
    Response.Write(((63615 % s1.indexOf("x", 7)) > Math.floor(17)) + "\n");
  } else {
    Response.Write(s1 + "\n");
    var n2 = -eval("3");
  }
} else {
  var n3 = eval("(36 + n2) + n2");
  var d4 = new Date(Date.UTC(2065, 0, 19, 3, 19, 25));
  d4.setUTCFullYear(2057);
}
if ((1.5 !== 17) || (s1 === s1)) {
  n3 -= 1e3;
}
Response.Write(s1 + "\n");
var d5 = new Date(2062, 4, 20, 14);
var d6 = new Date(1481342674000);
d6.setUTCMinutes(21);
var s7 = String(n2) + (s1 + (!false));
Response.Write(isNaN(n3 % s7.lastIndexOf('A')) + "\n");
var s8 = s7;
Response.Write(isFinite(String.fromCharCode(94) + (!true)) + "\n");
var s9 = s8;
