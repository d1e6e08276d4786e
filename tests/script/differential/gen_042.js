function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4, a5) {
  this.x = a3;
  this.y = a4;
  this.name1 = a5;
}
var s6 = 'YqJY';
Response.Write((isFinite(57049) && true) + "\n");
var d7 = new Date(Date.UTC(1974, 8, 22, 0, 59));
d7.setDate(16);
var d8 = new Date(Date.UTC(1970, 1));
var o9 = new P1(-0x1F, 17);
o9.w = eval("23 + 35");
o9.w = 16;
o9.label = 'UfI 0'.slice(5);
if ('6-Hh' >= s6) {
  var n10 = 20;
}
n10 -= '#pI'.indexOf('l', 4) / n10;
var b11 = isFinite(-(n10 - n10));
