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
var d7 = new Date(711268191000);
d7.setUTCHours(1);
var d8 = new Date(Date.UTC(2074, 0));
var n9 = 7255;
Response.Write((!(!('0.125' < ""))) + "\n");
Response.Write(Math.max(Math.exp(n9 * 99176), n9) + "\n");
n9 -= d8.getUTCFullYear() * Math.ceil(1.5e-4);
var d10 = new Date(Date.UTC(2078, 3, 18, 0));
d10.setUTCMonth(13);
if ('3.25' != d10.valueOf()) {
  Response.Write(false + "\n");
  Response.Write(isNaN(n9) + "\n");
}
Response.Write(("3.25" === Math.max(n9, n9)) + "\n");
n9--;
var s11 = "  15";
