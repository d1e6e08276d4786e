function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5() {
  if ("a-b-c" <= "") {
    return '42abc';
  }
  return String(14);
}
function f6(a7, a8, a9) {
  var b10 = isNaN(Math.abs(a7));
  a7--;
  return 9;
}
function f11() {
  var b12 = parseInt('XM3-g'.slice(3, 7), 16) !== 0.3;
  var i13;
  for (i13 = 1; i13 < 6; i13++) {
    Response.Write(false + "\n");
    var n14 = 12;
  }
  if (0.25 !== n14) {
    return eval("n14");
  }
  return -i13;
}
Response.Write(isNaN('RYkxr') + "\n");
var n15 = f6(11, 2 < 0xff, isNaN(6)) % 6;
var o16 = new P1(n15, 0.1);
o16.p = n15;
o16.p = n15;
o16.label = "ABC".charAt(n15);
var s17 = f5() + true;
n15 *= 29692;
n15--;
if (false) {
  Response.Write((Math.atan(17) - (".5" - 5)) + "\n");
  Response.Write(s17.indexOf('ab') + "\n");
}
var s18 = o16.label;
var b19 = !((s17 + n15) != o16.label);
if (isNaN(o16.y)) {
  Response.Write(String.fromCharCode(105, 75) + "\n");
  n15 -= n15;
  s17 += String.fromCharCode(88, 101) + (s18 + s17);
}
var o20 = new P2(n15 + n15, n15 % 19397);
o20.total = n15;
s17 = f5();
var s21 = s18;
Response.Write(s17.substring(5) + "\n");
Response.Write(2.75 + "\n");
Response.Write((s21 + isNaN(s17)) + "\n");
