function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4() {
  var i5;
  for (i5 = 0; i5 < 7; i5++) {
    var s6 = "255".toUpperCase();
    s6 += s6;
  }
  return String(Math.SQRT1_2);
}
function f7(a8, a9) {
  Response.Write((20 >= Math.log('-3.5'.charCodeAt(3))) + "\n");
  a8 += "zz";
  return a8;
}
var o10 = new P1("ff".length, 19, 'delta');
o10.w = 'tIr\n'.charCodeAt(12);
o10.w = 19;
if (false) {
  var s11 = String(o10.x) + parseFloat("ff");
  var o12 = new Object;
  o12.q = -eval("21");
  o12.w = Math.pow(7, 5);
  o12.p = Math.LOG2E / 17;
  var s13 = s11.replace('a', 'o');
}
var s14 = s13;
Response.Write((s11 + 11) + "\n");
var o15 = new P1(1 - 10, "  15".length, s14 + 0.5);
o15.total = -20;
o15.q = 0.001 + (0.5 + 0);
s11 = (s13 + s11) + isNaN(2);
var b16 = isFinite(0.2);
var o17 = new Object;
o17.q = 41766;
o17.total = f7(s13, false).length;
o17.w = 49924;
