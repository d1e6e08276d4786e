function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
var n4 = "ABC".lastIndexOf('l') + (-'ABC'.length);
var o5 = new P1(n4, -n4, "255".charAt(0));
o5.label = String(14);
o5.label = ''.toUpperCase();
Response.Write(((eval("n4") / n4) * (n4 - '\''.indexOf('-', 11))) + "\n");
Response.Write('QVsLk.!2'.substring(10, 9) + "\n");
Response.Write((((2E5 % n4) / n4) != n4) + "\n");
n4++;
var n6 = '42abc'.charCodeAt(1) % Math.SQRT1_2;
Response.Write(("eaMQtWJt" >= "") + "\n");
var d7 = new Date(Date.UTC(2010, 7, 4, 23, 56, 27, 453));
d7.setUTCFullYear(2041);
d7.setUTCMonth(4);
var s8 = o5.label;
var s9 = typeof s8;
