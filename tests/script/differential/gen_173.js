function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5, a6) {
  if (isNaN(18)) {
    return a5;
  }
  return (10137 % a5) / a5;
}
var b7 = 9 >= 2E5;
var n8 = 13;
var n9 = n8;
var n10 = n8;
Response.Write(String.fromCharCode(94) + "\n");
if (isFinite("a-b-c" + "-vZu\"")) {
  var o11 = new P1('0x1F'.indexOf("x"), -n10, 'eV');
  o11.total = n10;
  o11.label = "";
  o11.q = n10 * f4(n9, 'Hello');
  var d12 = new Date(1993, 8, 13, 18, 31);
} else {
  n9 += n8;
  var n13 = eval("32");
}
var d14 = new Date(2085, 4, 2, 15, 23, 40, 734);
d14.setDate(24);
d14.setUTCHours(1);
n10 = n13;
var s15 = '_EKN1B';
if (b7) {
  n10 -= n10 / f4(12, s15);
}
Response.Write(s15 + "\n");
var o16 = new P1(n9 + 71838, n13 * 0.5, s15);
o16.total = (n9 + n13) * 12.5;
var n17 = String.fromCharCode(74, 97, 103).length;
var d18 = new Date(2078, 3, 11, 12, 38);
d18.setUTCMonth(12);
d18.setUTCDate(19);
s15 += 'a-b-c'.charAt(8) + s15;
