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
Response.Write((typeof (Math.min(4, 10) + 16)) + "\n");
var s7 = String.fromCharCode(71) + (typeof ('x' + 18));
var d8 = new Date(1992, 2);
d8.setUTCFullYear(2063);
var n9 = ((12 * 1.5e-4) % "".length) * 1;
var n10 = n9;
var n11 = '0.125'.length;
var d12 = new Date(2077, 0);
d12.setUTCHours(13);
d12.setUTCSeconds(46);
n11 += n11;
var d13 = new Date(Date.UTC(2058, 8, 5, 11, 40));
d13.setUTCFullYear(1985);
d13.setDate(13);
Response.Write('' + "\n");
