function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
Response.Write('1e3'.lastIndexOf('1', Math.asin(0)) + "\n");
var n3 = parseFloat(" 7 ");
var d4 = new Date(1999, 1, 25, 10, 34, 35, 227);
d4.setUTCHours(2);
Response.Write(isFinite(12.5) + "\n");
var s5 = typeof (typeof '2'.substring(9));
Response.Write(('' <= s5.lastIndexOf(" ", 8)) + "\n");
s5 += '3.25';
