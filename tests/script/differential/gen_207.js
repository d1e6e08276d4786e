function f1(a2, a3) {
  var n4 = Math.cos((30921 * a2) + a2);
  if (!true) {
    return 6;
  }
  return eval("n4 + a3");
}
function f5(a6, a7) {
  return (a6 + '') + a7;
}
var b8 = "v".charAt(12).length == f1(eval("7"), eval("6"));
Response.Write((41719 - ((2 - 4) % f1(0, 1))) + "\n");
Response.Write(true + "\n");
var n9 = ((15 + 12) * (3.125 % 23838)) - f1(58946 * 99329, 1.5 % 7348);
var n10 = n9;
var b11 = !false;
var n12 = n10;
Response.Write(20 + "\n");
var d13 = new Date(Date.UTC(2024, 3, 5));
d13.setUTCDate(3);
d13.setUTCDate(22);
var n14 = Math.min((n10 / 8) / 7, "si".lastIndexOf('A', 10) % n12);
