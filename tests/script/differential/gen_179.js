function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5) {
  if (a5) {
    return "oQ6xrXG".lastIndexOf('a');
  }
  return 7299;
}
var n6 = 1.5 / 2;
var d7 = new Date(Date.UTC(1973, 6, 1));
d7.setUTCMonth(5);
Response.Write(n6 + "\n");
var o8 = new P1(f4(true), ''.lastIndexOf('1'), "q!?");
o8.q = n6;
o8.w = 5 + Math.LN10;
Response.Write(o8.y + "\n");
var b9 = false;
n6 *= Math.max(3.125, n6) / Math.min(n6, n6);
Response.Write(isNaN(n6) + "\n");
var b10 = isNaN(f4(true && b9));
