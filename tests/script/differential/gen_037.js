function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5, a6) {
  this.x = a4;
  this.y = a5;
  this.name1 = a6;
}
var o7 = new Object();
o7.q = 1.5;
o7.p = Math.log(12) % 1.5e-4;
var b8 = ("-3.5".substring(10, -3) > "pOq_vX") || false;
Response.Write(0.5 + "\n");
var n9 = eval("7");
var d10 = new Date(Date.UTC(2084, 8, 8));
var o11 = new P2(n9, n9, "ff");
o11.w = parseFloat(String(89272));
o11.q = o7.p;
o11.w = 1e3 * (n9 + n9);
var b12 = false;
var s13 = 'delta' + ((n9 % n9) + '4I'.indexOf("l", 12));
