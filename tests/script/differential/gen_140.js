function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5, a6, a7) {
  var n8 = a7.indexOf("o", 12) + 8;
  var n9 = n8;
  a7 += a7.replace('o', "-");
  return Math.min("Beta".lastIndexOf("a", 5), 88551);
}
function f10(a11, a12, a13) {
  var b14 = isNaN("D" + a12) || (isNaN(a13) || (a13 < a13));
  Response.Write(a13 + "\n");
  return "Hello".replace("l", '-');
}
Response.Write(true + "\n");
if (false) {
  Response.Write((f10(f4(true, true, "ff"), true || true, "U\\".length) + f4(20 >= 1e3, isFinite("x"), 'world')) + "\n");
  Response.Write((typeof (f4(false, true, 'x') / 'Beta'.length)) + "\n");
}
var b15 = f10(Math.asin(26009), true, "\r".charCodeAt(8)) != f10("42abc".length, true || true, parseFloat('.5'));
var b16 = (('255' + 1.5) + "42abc") === f10(-10, '12' < 0.1, -12);
Response.Write(f10(0.25, (7 + 4) === 2.75, 'h'.substring(6).charCodeAt(1)) + "\n");
Response.Write(('1\r'.charAt(17) + ((7 + 18618) == 8)) + "\n");
var n17 = "42abc".lastIndexOf('l', 0);
var n18 = n17;
Response.Write(false + "\n");
var o19 = new P1(eval("n18"), 14 + n17, '5.');
o19.label = "42abc";
o19.p = n17;
o19.label = 'ABC';
var n20 = Math.exp(n17) * 'gamma'.charCodeAt(4);
Response.Write("-3.5".charAt(11) + "\n");
