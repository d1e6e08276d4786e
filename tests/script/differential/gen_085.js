function f1(a2, a3, a4) {
  var n5 = a2;
  Response.Write(((Math.round(a2) !== parseInt(' 7 ', 10)) && ('eyPH' === ("1e3" + a3))) + "\n");
  var b6 = isNaN("".length);
  return a2 % 14;
}
if (true) {
  var o7 = new Object();
  o7.q = String(0.25).length;
  o7.w = 'one two'.lastIndexOf("ab");
  Response.Write("delta" + "\n");
}
Response.Write('3.25' + "\n");
Response.Write((1 === Math.asin(2.75)) + "\n");
var n8 = o7.q - f1(eval("11"), isNaN(9), Math.SQRT2);
var o9 = new Object();
o9.p = o7.q;
o9.q = 'ff'.charCodeAt(12);
o9.q = 0.5;
Response.Write(String.fromCharCode(103, 104, 95) + "\n");
