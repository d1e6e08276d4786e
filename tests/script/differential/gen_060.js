function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5) {
  var s6 = (("-3.5" + a5) + 0.1) + isNaN(a5);
  return a5;
}
Response.Write((String(3 / 2E5) + String(Math.round(0.5))) + "\n");
Response.Write('"' + "\n");
var s7 = '  15'.replace('A', '-');
var b8 = 17 != s7.indexOf(" ");
var n9 = 13;
var d10 = new Date(Date.UTC(1985, 0, 18, 18, 24, 5));
Response.Write(s7 + "\n");
var b11 = '+8' < f4(parseInt(s7, 16));
Response.Write(String('1e3'.lastIndexOf("A", 4) - (n9 * n9)) + "\n");
if ((false || false) || (false && b8)) {
  Response.Write(('007' !== (n9 * 4)) + "\n");
  Response.Write((eval("n9 - 16") != n9) + "\n");
} else {
  Response.Write((s7 + String(parseInt("1.5e-3", 16))) + "\n");
}
Response.Write(s7.length + "\n");
Response.Write(parseInt('-3.5', 10) + "\n");
Response.Write(s7 + "\n");
