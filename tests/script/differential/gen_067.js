function f1(a2) {
  Response.Write(a2 + "\n");
  if (!false) {
    var n3 = ('-0' * 5) - (-17);
    var s4 = String(n3);
  } else {
    Response.Write((String(n3) == "O:k.".replace(' ', "-")) + "\n");
  }
  Response.Write((a2.toUpperCase() * 3) + "\n");
  if (false) {
    return s4 + isFinite(n3);
  }
  return s4.toUpperCase();
}
function f5(a6, a7) {
  var n8 = a7;
  Response.Write("Beta".toUpperCase() + "\n");
  if (3 >= 6) {
    return (n8 + n8) + a7;
  }
  return n8;
}
function f9(a10) {
  var n11 = 38198;
  Response.Write(String.fromCharCode(109, 88) + "\n");
  var i12;
  i12 = 2;
  do {
    var n13 = n11;
    i12++;
  } while (i12 < 8);
  return a10.replace("o", 'o');
}
var n14 = f1(" 7 ").length;
var o15 = new Object;
o15.p = f5(false, 1605);
Response.Write('ff'.charAt(8) + "\n");
var n16 = parseInt(' 7 ', 16);
n16 += '  15'.length;
Response.Write(false + "\n");
