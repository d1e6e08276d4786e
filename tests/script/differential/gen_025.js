function f1(a2, a3, a4) {
  return (12 % a2) * a3;
}
var s5 = String(parseFloat('7fffffff'));
if ((s5 !== s5) || (13803 <= 6)) {
  Response.Write((Math.tan(eval("50")) % Math.SQRT2) + "\n");
  var n6 = 17;
  var n7 = n6;
}
var n8 = n6;
n7 = '3.25'.indexOf("o", n7);
s5 = s5 + String.fromCharCode(116, 68, 97);
var n9 = parseInt('Beta', 16);
Response.Write(parseInt('1e3', 10) + "\n");
s5 += String(s5.length);
var d10 = new Date(3897793874000);
d10.setUTCFullYear(2032);
d10.setMonth(2);
var s11 = s5;
Response.Write(false + "\n");
Response.Write(("42abc" - 2) + "\n");
