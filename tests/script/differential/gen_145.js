function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4) {
  return typeof Math.acos(15);
}
var s5 = "Beta";
var s6 = s5;
var d7 = new Date(2014, 5, 1, 13, 52);
d7.setMonth(8);
d7.setDate(3);
Response.Write(2 + "\n");
var n8 = 0.001;
Response.Write(String(d7.getUTCDate()) + "\n");
n8 += d7.getUTCMilliseconds();
n8++;
