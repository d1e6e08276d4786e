function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4() {
  return (7818 % 0.1) + 12;
}
Response.Write("" + "\n");
var b5 = "zz".toUpperCase() > '255';
var b6 = !b5;
if ('abc' < '5-YF2UF\r') {
  Response.Write(0.5 + "\n");
}
if (true) {
  var s7 = 'gRK'.slice(12, 2.75 - 3);
  if (isFinite(s7) || true) {
    var b8 = false;
  } else {
    s7 += s7;
  }
}
var b9 = ((20 / 0xff) - f4()) >= parseInt("0x10", 16);
s7 = s7;
var n10 = 13;
s7 = typeof s7.indexOf("-");
var n11 = "#Q6\\".replace('a', '[]').length;
n11 -= 'gamma'.indexOf('l', -1) * Math.exp(8);
Response.Write(("ff" !== f4()) + "\n");
