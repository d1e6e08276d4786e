var s1 = 'x';
if ('12' != 0xff) {
  s1 = s1 + String.fromCharCode(117);
  Response.Write(s1.indexOf('1', 6) + "\n");
  s1 = s1;
} else {
  var o2 = new Object;
  o2.w = eval("8");
}
s1 += s1.toUpperCase();
var n3 = 16;
var n4 = eval("n3 * 11") % n3;
Response.Write(isFinite(Math.tan(parseInt("007", 16))) + "\n");
