function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5(a6) {
  var b7 = isFinite(-13) && (a6 || ("7fffffff" == 9));
  return 13;
}
function f8(a9) {
  return "0x1F".lastIndexOf("o", 9);
}
function f10(a11, a12) {
  Response.Write((!((a11 > 0) || (true && false))) + "\n");
  a11 *= 'ff'.lastIndexOf('l', a12);
  if (true || true) {
    return "Of1p3mQw\"".charCodeAt(7) + "abc".lastIndexOf('-');
  }
  return a12;
}
Response.Write(f10(9, Math.LOG2E) + "\n");
var n13 = (-(20 % 0.001)) + (Math.pow(1.5e-4, 9) % f5(false));
var s14 = "7o40CHc".charAt(8) + '-3.5'.length;
n13 = (n13 % 4) - 12314;
var o15 = new P2(n13 + 1, -n13);
o15.label = s14.substring(8);
var d16 = new Date(Date.UTC(2040, 4, 24));
d16.setUTCHours(2);
d16.setUTCMinutes(40);
Response.Write(((true || (false || false)) || false) + "\n");
Response.Write(s14 + "\n");
s14 += 'RSB.b' + f10(n13, 19);
var n17 = o15.x;
n17 *= n13;
Response.Write(("" != n13) + "\n");
