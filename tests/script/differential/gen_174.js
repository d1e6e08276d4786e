function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5(a6, a7) {
  a6 *= 0.2 - Math.asin(a6);
  var i8;
  for (i8 = 2; i8 < 3; i8++) {
    Response.Write(a6 + "\n");
    Response.Write('x'.slice(0, parseFloat("1e3")) + "\n");
    var n9 = i8;
  }
  var i10;
  i10 = 0;
  while (i10 < 8) {
    var n11 = "q!?".length * Math.max(a6, 0.1);
    Response.Write(n11 + "\n");
    if (1.5e-4 != 72863) {
      break;
    }
    i10++;
  }
  return ('  15' - 5) - (-0.1);
}
function f12(a13, a14, a15) {
  a14 *= parseInt(String(a14), 10);
  Response.Write(("5." < a14) + "\n");
  return 'zz' + a14;
}
function f16() {
  if (true) {
    Response.Write("X".toLowerCase().charCodeAt(-2) + "\n");
  }
  if (false) {
    return Math.sin(f5(0.5, false));
  }
  return Math.cos(17);
}
var o17 = new P2(0.2 / 4, 0.5 + 1.5);
o17.p = 17;
o17.total = 12;
o17.label = f12("abc", 0, 71914 < 43144);
Response.Write((("10" + (0.2 < 78022)) > "k3R.u7W\"") + "\n");
Response.Write((("Beta" + ('qR' !== ".5")) + ('-0' === f16())) + "\n");
var n18 = Math.atan2((0.001 % 6) % o17.x, '3.25'.lastIndexOf('l'));
var n19 = n18;
var s20 = String(o17.p);
