function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4, a5, a6) {
  Response.Write(1 + "\n");
  a5 += "zpHc\n";
  if (!false) {
    return a5;
  }
  return a5;
}
function f7(a8, a9) {
  Response.Write('q!?' + "\n");
  a9 *= a8;
  Response.Write(a9 + "\n");
  return a8;
}
Response.Write(isFinite(f7(Math.abs(13), parseInt("ezg", 10))) + "\n");
var s10 = "3!5";
var n11 = Math.acos(8 + 14) % eval("36 * 38");
n11 *= n11 % 1;
var s12 = '255';
s10 += s12;
var n13 = n11;
var n14 = (Math.sqrt(n11) * (s12 - 5)) - n13;
Response.Write(f7(Math.acos(s12.charCodeAt(8)), (n14 / 0.25) / n11) + "\n");
s12 += s12;
s12 = s10.charAt(4);
