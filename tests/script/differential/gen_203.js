function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5(a6) {
  if (a6 < 5) {
    return a6;
  }
  return -'KCWkcr'.lastIndexOf(" ", 9);
}
function f7(a8) {
  Response.Write((a8 === a8) + "\n");
  return eval("19") * (6 * a8);
}
function f9(a10) {
  return a10;
}
var n11 = f7(10);
var n12 = (-(n11 % 16)) * n11;
var s13 = ('gamma' + f7(14)) + ((n12 + 83995) % n12);
s13 += (s13 + false) + 63499;
var d14 = new Date(935805538000);
d14.setDate(31);
d14.setMonth(10);
if (isNaN(s13)) {
  var o15 = new P2(n11, 2);
  o15.w = 0.25;
  o15.total = Math.acos(n11);
}
var n16 = Math.LOG10E;
var d17 = new Date(Date.UTC(2090, 7, 8, 5, 32));
d17.setUTCMonth(12);
if (('XjC\n' === s13) && isNaN("AbCdEf")) {
  var o18 = new P1(n16, 1e3);
  o18.p = o15.y;
  o18.label = typeof n12;
  o18.total = 3.125;
}
var d19 = new Date(Date.UTC(2039, 10, 1, 17, 11));
d19.setUTCMonth(9);
