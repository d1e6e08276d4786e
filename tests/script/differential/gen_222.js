function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4) {
  var i5;
  i5 = 1;
  while (i5 < 7) {
    a4 -= 95547;
    i5 += 2;
  }
  if (a4 <= i5) {
    return eval("i5");
  }
  return Math.exp(-a4);
}
function f6(a7, a8, a9) {
  a9 = a9;
  Response.Write((0.2 >= ("abc" * 3)) + "\n");
  var i10;
  i10 = 2;
  do {
    Response.Write(a9 + "\n");
    a9 += String(i10 - i10);
    if (isNaN(0)) {
      break;
    }
    i10++;
  } while (i10 < 8);
  return typeof a9.lastIndexOf("l");
}
function f11(a12, a13) {
  if (!false) {
    return (a12 % a13) + Math.sqrt(a13);
  }
  return 16;
}
var n14 = 8;
Response.Write(eval("5") + "\n");
if ('1.5e-3' <= parseInt('5.', 10)) {
  n14++;
}
Response.Write("Beta".slice(5) + "\n");
var d15 = new Date(Date.UTC(2073, 5, 5));
d15.setUTCMinutes(66);
Response.Write(true + "\n");
var n16 = n14;
n14 = 0x1F;
var n17 = n14;
var o18 = new P1('Uv.v4Pa'.indexOf("1"), n14 - 13);
o18.q = Math.min(.5 - 8700, -72971);
o18.label = "x9TqbJLs\"".slice(20);
