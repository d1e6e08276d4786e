function f1(a2) {
  Response.Write((a2 + 73660) + "\n");
  a2 = a2.charAt(2);
  return (0xff * 3) - (1.5 * 0.25);
}
function f3(a4, a5, a6) {
  if ('.5' !== 17) {
    return a4 / (17 - a5);
  }
  return Math.sin(Math.atan(a4));
}
Response.Write("0x1F" + "\n");
var n7 = Math.pow(0.001, 0) + ('one two'.lastIndexOf("b", 10) + (40869 % 0x1F));
var d8 = new Date(Date.UTC(2036, 4, 23, 23, 44));
d8.setUTCHours(14);
var o9 = new Object;
o9.q = d8.getDate();
o9.w = (n7 / 561) + "255".charCodeAt(6);
o9.label = "-os9Bx2\n".replace('ab', "XY");
n7--;
if ("12" >= d8.getUTCSeconds()) {
  n7++;
  n7 *= Math.cos(d8.getUTCMilliseconds());
  Response.Write(true + "\n");
}
