function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
Response.Write((-'alpha'.length) + "\n");
var n3 = (1.5e-4 + 0.25) + (("7fffffff" - 5) + 15);
var s4 = 'ctNJO !'.toUpperCase() + n3;
var n5 = 67822;
Response.Write((parseInt('-3.5', 10) / (n3 + (n3 + n3))) + "\n");
if (isFinite(Math.LN10)) {
  var d6 = new Date(73454767000);
  Response.Write(((-n3) * (n3 - n3)) + "\n");
}
n5 -= n3;
Response.Write((typeof n3) + "\n");
s4 += s4 + 5;
Response.Write(((n3 !== n5) && isNaN(-n3)) + "\n");
Response.Write("ABC".charAt(1) + "\n");
var n7 = 3.125;
Response.Write(false + "\n");
Response.Write(n7 + "\n");
var n8 = parseInt("12", 16) / n5;
var o9 = new P1(n3, n5);
o9.w = d6.getUTCMilliseconds() - n7;
o9.q = s4.indexOf('-', 9);
