function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5() {
  var n6 = Math.LOG2E;
  return "SagMdGk";
}
function f7(a8) {
  return 'alpha';
}
function f9() {
  return 13 % (13 + 12);
}
var s10 = typeof '-3.5'.slice(20, 16);
Response.Write(s10 + "\n");
var s11 = s10;
Response.Write(s11 + "\n");
Response.Write(((1.5 > 1) && isFinite(3.125 - 6)) + "\n");
var n12 = 0.1;
Response.Write(s11 + "\n");
n12 += s10.length % (19 / 4);
var n13 = 13;
var o14 = new Object;
o14.total = n13 / n12;
o14.q = -Math.LOG2E;
o14.total = f9();
var o15 = new Object;
o15.w = 'RZ#wh"'.length;
o15.p = n12;
o15.q = n12 + n13;
var d16 = new Date(Date.UTC(2020, 9));
d16.setUTCMonth(10);
var n17 = Math.max(n13, Math.tan(f9()));
var n18 = 17;
var b19 = '1e3' < (11 / s10.charCodeAt(7));
