function f1(a2) {
  if (true) {
    return '7L?w'.charCodeAt(1) * a2;
  }
  return a2;
}
var s3 = 'AhaB5';
s3 = s3.replace('A', 'o') + 10;
var s4 = s3;
Response.Write((s4.charCodeAt(0) + 4) + "\n");
Response.Write((typeof s4) + "\n");
var d5 = new Date(2089, 6, 21, 13, 32);
s4 += s4.replace('o', '[]');
var n6 = -f1(Math.atan2(3, 12));
Response.Write(s4 + "\n");
var o7 = new Object();
o7.w = (4 / 20) + eval("n6");
Response.Write(isNaN(eval("36")) + "\n");
var s8 = s4.replace('l', 'XY');
var d9 = new Date(1228872129000);
d9.setMonth(7);
d9.setUTCMinutes(24);
if (o7.w < n6) {
  var b10 = isFinite(Math.min(n6, n6));
  var d11 = new Date(Date.UTC(1979, 8, 28, 21, 8));
  d11.setUTCHours(28);
}
