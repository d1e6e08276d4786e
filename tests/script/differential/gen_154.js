function f1(a2) {
  return parseInt('alpha'.substring(3, 1), 16);
}
function f3(a4, a5) {
  var n6 = Math.pow(17, 0.25) - f1(78961 != 5);
  if (a5) {
    return Math.sin(1.5);
  }
  return 3.125 / Math.min(n6, n6);
}
var b7 = 16 < (-(99.99 % 12.5));
var d8 = new Date(Date.UTC(1979, 9, 2, 21));
d8.setUTCFullYear(1977);
Response.Write(f1(19 > Math.cos(13)) + "\n");
if (!(63030 > 8)) {
  Response.Write((!(String.fromCharCode(79, 97) < (" 7 " + b7))) + "\n");
} else {
  var b9 = (-(' 7 ' * 3)) > f1("3.25" > 4);
}
var d10 = new Date(Date.UTC(2031, 0, 4, 6));
var n11 = ((0.3 * 16) * (54057 * 0.5)) - ((0.5 % 1.5) % (-16));
