function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
var n3 = "U".toUpperCase().lastIndexOf('ab');
var s4 = String.fromCharCode(84, 116, 69);
var n5 = eval("4");
s4 = 'AbCdEf';
var b6 = isFinite(Math.max(n3, 99.99 * n3));
Response.Write(isFinite(String(n3) + (67808 / n3)) + "\n");
var s7 = String.fromCharCode(86, 108);
var o8 = new P1(n3, eval("0"));
o8.q = (n3 / 4) + s7.lastIndexOf("-");
o8.p = n3;
o8.q = '0.125'.charCodeAt(n5);
if (s4.replace('o', "__") == s7) {
  var o9 = new P1(0.5, 3);
  o9.label = "42abc" + Math.atan2(2, 8);
  var o10 = new P1(eval("n3"), n5);
  o10.q = n3;
  var b11 = s7.replace("a", '[]') >= (s4 + ("7fffffff" !== n5));
} else {
  Response.Write((n3 !== n5) + "\n");
  n5 += n3;
}
if ((s4 + false) <= ("a-b-c" + 8)) {
  n3--;
  var s12 = s4;
}
s7 += 'GRR5'.charAt(n5);
var b13 = isFinite("kWy-.h" + false) && false;
