function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5) {
  this.x = a4;
  this.y = a5;
}
function f6(a7) {
  var n8 = 12;
  Response.Write(((String(a7) * 3) % a7) + "\n");
  var i9;
  i9 = 3;
  while (i9 < 4) {
    Response.Write(("255".replace("x", "o").length - (Math.min(n8, 4) / (13 - 0.1))) + "\n");
    Response.Write(('7fffffff' <= 'world'.charCodeAt(99.99)) + "\n");
    var n10 = n8;
    i9++;
  }
  return 'AbCdEf'.toUpperCase();
}
function f11(a12, a13) {
  if (isNaN(36949)) {
    return -11;
  }
  return (71743 + 0) - (-5);
}
var s14 = '0n'.charAt(0.001 + 0.5);
var n15 = 17 - ((9 + 12) % (8 * 0.001));
var n16 = -n15;
n15 -= Math.exp(n15 + 2);
Response.Write(s14 + "\n");
var b17 = (n16 + n15) >= n16;
var b18 = eval("n15 * n16") >= (58120 % n16);
