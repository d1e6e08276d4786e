function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5) {
  this.x = a4;
  this.y = a5;
}
var n6 = 54015;
if (isNaN('42abc'.indexOf('ab'))) {
  n6 += -Math.atan2(12, n6);
  Response.Write(n6 + "\n");
  var n7 = Math.acos(n6);
}
Response.Write(((String.fromCharCode(104, 121) + '.5') < 'riFpq') + "\n");
var n8 = ('3.25'.indexOf('1', 6) - (n6 * n6)) + 'ht7'.slice(-2, 3).length;
n7 += (0.001 - n7) * n6;
if (true) {
  Response.Write('' + "\n");
  var d9 = new Date(2341843294000);
} else {
  var n10 = '42abc'.toLowerCase().indexOf("b", 9);
  var b11 = ('Egqs'.substring(8, -2) + true) != String(n8);
}
n10++;
var d12 = new Date(1974, 6, 1, 19, 35);
