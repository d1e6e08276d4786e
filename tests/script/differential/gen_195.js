function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
var n3 = Math.max(95407, Math.pow(parseFloat(" 7 "), 4));
var s4 = 'qOyivx9';
Response.Write(('0x1F' > (Math.floor(n3) % s4.indexOf('1'))) + "\n");
n3 *= 0x1F;
n3--;
var n5 = n3;
