function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4() {
  var s5 = String(0) + ("ygk6Lxw8" + ("_71z" + 17));
  return String(0).charCodeAt(18);
}
var b6 = 'Beta'.substring(3, 0).indexOf('a', 12) == f4();
var s7 = ('ABC'.substring(10) + ("3.25" > 15)) + isFinite('alpha'.indexOf('x'));
Response.Write((!(("alpha" == 'Hello') && (b6 || true))) + "\n");
s7 = "";
var b8 = b6;
Response.Write((Math.SQRT2 === (-Math.ceil(88862))) + "\n");
Response.Write(s7 + "\n");
var n9 = Math.abs(f4());
n9 = n9;
var o10 = new P1(n9, n9 + n9, s7);
o10.total = 1.5;
o10.p = (20 + 1e3) / n9;
o10.q = n9 % n9;
s7 += "0x1F".charAt(5);
