function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5() {
  Response.Write("Beta" + "\n");
  if (isNaN("ZR")) {
    return 15;
  }
  return (15 % 8) % (-75689);
}
function f6() {
  if (13864 >= 90559) {
    return -(-18);
  }
  return 7;
}
var n7 = Math.pow(61309, -1) + ('42abc' * 1);
var o8 = new P1(n7 - 10, n7 / n7);
o8.q = "ff".length;
o8.q = ('' - 1) + f5();
o8.q = n7;
var o9 = new P2(n7, 16);
o9.q = n7;
o9.w = f5();
o9.w = o8.y;
n7 += n7;
if (false) {
  n7 = Math.round(o8.y);
} else {
  if (Math.ceil(5396) !== "  15".lastIndexOf("1", 6)) {
    n7--;
  }
}
if (false && (n7 == n7)) {
  var i10;
  i10 = 2;
  do {
    n7 = f5();
    Response.Write((!(false && ('abc' <= n7))) + "\n");
    i10++;
  } while (i10 < 5);
}
