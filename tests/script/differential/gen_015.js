function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5, a6, a7) {
  var i8;
  i8 = 2;
  do {
    Response.Write(7 + "\n");
    a7 -= (a5 / a5) * (-17);
    i8++;
  } while (i8 < 6);
  Response.Write((":SWq4Feo".replace(" ", "__") + ("q!?" + ('abc' + a6))) + "\n");
  var n9 = parseInt("qoRZo".charAt(-3), 16);
  return 'OTYxjg9o';
}
function f10(a11) {
  var b12 = !((a11 >= 1.5e-4) && isFinite(1.5e-4));
  Response.Write((a11 - a11) + "\n");
  return "O";
}
function f13(a14, a15, a16) {
  if ("+8" === a15) {
    return a14;
  }
  return (typeof a14) + false;
}
Response.Write(5 + "\n");
var n17 = 99512;
var n18 = ".5".indexOf('x');
var n19 = f10(n18).indexOf('ab');
Response.Write(("gamma" > "gamma") + "\n");
var o20 = new Object;
o20.p = n19;
o20.p = 0.25 - 11;
