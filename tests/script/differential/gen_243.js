function f1(a2, a3) {
  var n4 = a2 % ((a2 + 43615) / Math.min(1e3, 33691));
  Response.Write(a3 + "\n");
  return Math.atan(a2);
}
function f5(a6, a7) {
  Response.Write(a7 + "\n");
  var i8;
  for (i8 = 0; i8 < 1; i8++) {
    Response.Write((-i8) + "\n");
  }
  return f1(i8 % i8, 'wjV' === "0x1F");
}
var o9 = new Object();
o9.w = "-0" - 5;
o9.total = '5.' * 2;
Response.Write(((0.25 - parseInt("abc", 10)) + (-o9.w)) + "\n");
var n10 = (-1e3) % o9.total;
Response.Write("hu64K" + "\n");
var o11 = new Object;
o11.p = n10;
o11.total = "".lastIndexOf("-", 7) * Math.max(2E5, n10);
o11.label = 'lZNo';
var d12 = new Date(3323355930000);
d12.setUTCDate(10);
d12.setDate(23);
n10 += n10;
var n13 = 2 + 68281;
var n14 = parseInt('.5', 10);
