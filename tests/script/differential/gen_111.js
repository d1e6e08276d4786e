function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5) {
  if ("-0" < 6) {
    var n6 = (0.5 % a5) * (a5 * a5);
  }
  return a5;
}
function f7(a8, a9) {
  return (a8 + a8) + true;
}
var b10 = isFinite(-10) || (('qRk' + 83315) != ("s6" + 9));
var s11 = f7(' 7 '.replace('ll', '-'), f4(96647 * 15));
s11 = 'abc';
s11 = s11.charAt(0);
s11 += s11;
Response.Write((typeof f4(" 7 " - 5)) + "\n");
if (isFinite(s11 + 87380)) {
  Response.Write((f4(f4(4)) % Math.ceil(Math.LN2)) + "\n");
}
var n12 = (1 % f4(20)) - (Math.cos(1) % f4(4));
if (false || (n12 >= 0.001)) {
  s11 += s11.toLowerCase();
}
