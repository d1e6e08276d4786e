function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3() {
  var i4;
  for (i4 = 2; i4 < 3; i4++) {
    var n5 = i4;
  }
  return Math.acos(n5);
}
function f6(a7) {
  Response.Write(0.001 + "\n");
  var s8 = a7;
  if (12.5 === 19) {
    return String.fromCharCode(74).length;
  }
  return 10;
}
Response.Write(("-3.5".charAt(20) + parseInt("+8", 16)) + "\n");
Response.Write(true + "\n");
var s9 = typeof String(12 % 18);
var d10 = new Date(Date.UTC(2069, 6, 6, 10, 34, 40, 688));
d10.setUTCMonth(10);
d10.setUTCDate(23);
s9 += 'JxG2SRR' + (s9 < "KDIk");
Response.Write(true + "\n");
s9 = typeof 0.001;
