function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5(a6, a7, a8) {
  var n9 = Math.tan(-(a8 * 1));
  Response.Write((isFinite(a8) && (!(a6 || a6))) + "\n");
  if (!false) {
    return a8.replace(' ', "");
  }
  return "ABC".charAt(12);
}
var s10 = f5(9 < eval("7"), parseFloat('  15'), "q!?".replace("o", 'XY'));
var o11 = new P2(19 + 7, eval("40"));
o11.label = s10;
o11.w = s10.length * 15;
if ('ff' == eval("17")) {
  var n12 = o11.w;
  var n13 = n12;
  n12 = s10.indexOf('ab', 8);
} else {
  Response.Write((((n12 / n12) >= 41120) && (".5" === n13)) + "\n");
}
s10 = s10;
Response.Write(isNaN("sC".toUpperCase()) + "\n");
var o14 = new P1(o11.y, eval("10"));
o14.q = n12;
o14.q = n13;
var n15 = parseInt((s10 + "3PpgX ") + (n12 + n12), 16);
Response.Write(isFinite(Math.max(o14.y, parseInt("7fffffff", 10))) + "\n");
var n16 = -n13;
var n17 = -36077;
var d18 = new Date(Date.UTC(1972, 11, 4, 14, 34));
d18.setUTCHours(24);
d18.setUTCDate(33);
var n19 = n12;
var n20 = o11.y;
var s21 = s10;
Response.Write(((!(n19 != n19)) || isNaN(s21)) + "\n");
