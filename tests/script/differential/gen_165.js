function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
var o4 = new P1(0.3 / 94640, 3, "abc" + 'delta');
o4.label = String(17) + '0.125'.toUpperCase();
o4.p = Math.floor(91633) - Math.min(63342, 8);
var o5 = new Object();
o5.label = o4.label;
o5.q = -9;
Response.Write('alpha'.lastIndexOf("o") + "\n");
var s6 = typeof (parseInt("Zx\n", 16) / 4039);
var n7 = 62587;
s6 += s6;
Response.Write(String.fromCharCode(97, 77) + "\n");
Response.Write(n7 + "\n");
Response.Write(o5.q + "\n");
Response.Write(s6 + "\n");
n7 += (n7 * n7) + eval("n7");
