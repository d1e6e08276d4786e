var n1 = -eval("11 + 36");
var d2 = new Date(2006, 5, 11, 5, 18);
d2.setDate(4);
var n3 = -n1;
var d4 = new Date(1972, 7, 7, 3);
Response.Write(((('Qy!Q k' >= '  15') || ('OUrg' >= 'abc')) && (("1D.l" + '0.125') !== String(n1))) + "\n");
if ("-0" > n1) {
  var o5 = new Object();
  o5.p = n3 + n1;
  o5.p = 46962;
  o5.w = n1;
  var n6 = eval("n1");
  Response.Write(d4.getUTCFullYear() + "\n");
}
if ('1e3' < (-31907)) {
  Response.Write("1#6u7".length + "\n");
  Response.Write(n1 + "\n");
}
n1 *= Math.LOG10E;
