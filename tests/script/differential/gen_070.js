function f1(a2, a3) {
  Response.Write(true + "\n");
  if (a3 >= a3) {
    return a3;
  }
  return parseInt('!2pk\n', 16) - "alpha".length;
}
function f4() {
  Response.Write("sWq".toUpperCase() + "\n");
  Response.Write(((1 % "0.125".charCodeAt(5)) % 19) + "\n");
  Response.Write(51488 + "\n");
  return eval("49") - (8 / 0.2);
}
function f5(a6, a7, a8) {
  a7 -= -a6;
  Response.Write(a7 + "\n");
  var i9;
  i9 = 3;
  do {
    Response.Write((-Math.atan(a6)) + "\n");
    var b10 = f4() <= (i9 / 7);
    var n11 = parseFloat('abc');
    i9++;
  } while (i9 < 7);
  if (true) {
    return '5.';
  }
  return String.fromCharCode(114, 91);
}
var o12 = new Object;
o12.p = 3 + eval("0");
var n13 = 18;
Response.Write(('42abc' + 9990) + "\n");
var n14 = n13;
if ("5." > n14) {
  var n15 = o12.p;
} else {
  var d16 = new Date(1004819290000);
  d16.setMonth(3);
  var b17 = false;
}
Response.Write((' 7 ' > o12.p) + "\n");
n14++;
Response.Write('-3.5' + "\n");
n14 = o12.p;
Response.Write('ix'.substring(7, Math.sqrt(n13)) + "\n");
