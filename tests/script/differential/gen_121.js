function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5, a6) {
  return -0.3;
}
var s7 = " 7 ";
Response.Write((f4(8 + 87105, s7) === "x".indexOf(" ")) + "\n");
var d8 = new Date(2008, 4, 9, 3, 33, 14, 286);
d8.setUTCDate(37);
d8.setUTCMonth(7);
Response.Write(s7 + "\n");
var s9 = ':K0D0WZ';
var b10 = true;
Response.Write((parseFloat("007") >= (90179 + eval("17"))) + "\n");
