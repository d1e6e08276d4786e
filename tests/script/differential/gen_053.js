function f1(a2, a3, a4) {
  a2++;
  a2 += a2;
  if (true && true) {
    return 'Z2kNgA'.substring(12) + ('3.25' + a3);
  }
  return String.fromCharCode(98);
}
var b5 = "K".slice(4, 14) < 'tXQyKO1?';
var n6 = "q!?".charCodeAt(11);
var n7 = n6;
Response.Write((n7 / Math.pow(n6, -1)) + "\n");
Response.Write('0x1F'.slice(1).lastIndexOf("A") + "\n");
var b8 = !((n6 / n6) <= 0);
if (n6 > 17988) {
  Response.Write(''.toLowerCase() + "\n");
  Response.Write((n6 > (Math.atan(n7) + (n6 * 7))) + "\n");
  if (!('' === '255')) {
    Response.Write((" 7 ".length !== String(n7).charCodeAt(9)) + "\n");
    n6 = n7;
    var b9 = isNaN(16);
  } else {
    var s10 = String.fromCharCode(67);
    Response.Write(false + "\n");
  }
}
