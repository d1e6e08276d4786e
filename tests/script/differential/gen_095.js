function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5, a6) {
  this.x = a4;
  this.y = a5;
  this.name1 = a6;
}
function f7(a8, a9) {
  return 'ABC';
}
function f10(a11, a12) {
  if (isNaN(a11)) {
    return a11 * (a11 % a11);
  }
  return Math.ceil(eval("15"));
}
if (true) {
  var d13 = new Date(2036, 3, 4, 21, 55, 20, 41);
  var o14 = new P1(14 / 10040, '  15'.charCodeAt(4), String.fromCharCode(96));
  o14.w = Math.pow(d13.getUTCMonth(), -2);
  o14.w = "-3.5".toUpperCase().lastIndexOf("-", 10);
}
var b15 = ((typeof "255") + ("q!?" + 'BW4_L0vS')) < 'DEw6';
var s16 = '  15'.slice(1.5 * 6, -3);
var s17 = s16;
var d18 = new Date(1573885683000);
d18.setUTCHours(15);
var d19 = new Date(1582305776000);
Response.Write(isFinite(typeof ("mIxEd" + 0.001)) + "\n");
s17 = s16.toUpperCase();
Response.Write(('ff' * 4) + "\n");
var n20 = f10(19 + o14.w, o14.name1 + ("D#" === s17));
