Response.Write(Math.round(2.5) + " " + Math.round(-2.5) + " " + Math.round(-2.6) + " " + Math.round(2.4) + " " + Math.round(-0.2) + "\n");
function r(x) {
  return Math.round(x * 1000000000) / 1000000000;
}
Response.Write(Math.abs(-7.25) + " " + Math.ceil(1.1) + " " + Math.floor(-1.1) + " " + r(Math.sqrt(2)) + " " + Math.sqrt(6.25) + "\n");
Response.Write(Math.max(3, 8) + " " + Math.min(3, 8) + " " + r(Math.pow(2, 0.5)) + " " + Math.pow(10, 15) + "\n");
Response.Write(r(Math.sin(1)) + " " + r(Math.cos(1)) + " " + r(Math.tan(1)) + " " + r(Math.atan(1)) + "\n");
Response.Write(r(Math.exp(1)) + " " + r(Math.log(10)) + " " + r(Math.asin(0.5)) + " " + r(Math.acos(0.5)) + " " + r(Math.atan2(1, 2)) + "\n");
Response.Write(r(Math.PI) + " " + r(Math.E) + " " + r(Math.LN2) + " " + r(Math.LN10) + " " + r(Math.LOG2E) + " " + r(Math.LOG10E) + " " + r(Math.SQRT2) + " " + r(Math.SQRT1_2) + "\n");
Response.Write(Math.sqrt(-1) + " " + Math.log(0) + " " + (1 / 0) + " " + (-1 / 0) + " " + (0 / 0) + "\n");
var i;
var total = 0;
for (i = 1; i <= 10; i++) {
  total = total + Math.floor(Math.sqrt(i) * 100) / 100;
}
Response.Write(total + "\n");
Response.Write((7 % 3) + " " + (-7 % 3) + " " + (7.5 % 2) + " " + (5 % 0) + "\n");
