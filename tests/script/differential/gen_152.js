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
  if (a7) {
    return -(82833 + 0.1);
  }
  return 5;
}
function f8(a9, a10) {
  a10 += a10;
  Response.Write(((-eval("33")) * f6(20 == 4)) + "\n");
  var n11 = '42abc'.lastIndexOf('l');
  return a10.indexOf("x", 5);
}
Response.Write(f6(isNaN(0.1 / 2.75)) + "\n");
Response.Write(((11 % Math.exp(0.3)) == parseFloat('\\')) + "\n");
var s12 = String(f8("5." < 4, "alpha" + true));
s12 = String.fromCharCode(83);
var d13 = new Date(1747670901000);
d13.setUTCFullYear(1987);
d13.setUTCDate(30);
Response.Write(false + "\n");
if (s12.length < 14731) {
  var o14 = new P1(d13.getFullYear(), -1.5e-4, s12);
  o14.q = s12.charCodeAt(1);
  o14.q = f6(false) - d13.getFullYear();
}
var s15 = s12.replace('l', 'XY');
var o16 = new P1(0.3 - 4, 12 % 8, 'x');
o16.q = Math.asin(0.25) / 10;
o16.w = d13.getDate() * d13.getTime();
o16.q = Math.exp(Math.PI);
var o17 = new P1(5 - 1, eval("23"), s12);
o17.total = 0.001;
Response.Write(s12.slice(4, 8) + "\n");
s15 += s15 + .5;
