function f1(a2, a3) {
  Response.Write(a3 + "\n");
  if (isFinite(7)) {
    return a3;
  }
  return Math.sqrt(a3);
}
function f4() {
  Response.Write(11 + "\n");
  var n5 = -"1e3".indexOf("l", 0);
  return n5 * n5;
}
var n6 = 3.125 + String(99.99).indexOf('b', 12);
var n7 = n6;
Response.Write(n6 + "\n");
Response.Write('12' + "\n");
n6++;
Response.Write(true + "\n");
