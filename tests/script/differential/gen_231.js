function f1(a2, a3) {
  if ('5.' == a2) {
    return "12".replace("l", '-');
  }
  return '-K5KsS'.substring(11, 10) + (a2 * 0.25);
}
function f4(a5, a6, a7) {
  Response.Write(a6 + "\n");
  if (6 !== a5) {
    return '0x1F' + ("  15" == a6);
  }
  return "" + (a5 - a5);
}
var b8 = isNaN(12);
Response.Write(12.5 + "\n");
var d9 = new Date(2018, 5, 5);
d9.setUTCMonth(6);
d9.setUTCFullYear(2090);
var n10 = 0.001;
if (isNaN(n10)) {
  var n11 = n10;
  n11 += d9.getTime();
  Response.Write(n10 + "\n");
}
n11++;
