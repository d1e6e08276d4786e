function f1(a2, a3, a4) {
  Response.Write((a4 == a4) + "\n");
  return eval("a4 * 8");
}
function f5(a6) {
  Response.Write(isNaN('Beta') + "\n");
  var i7;
  i7 = 1;
  while (i7 < 2) {
    Response.Write((!(("0x1F" >= 99.99) && (false || false))) + "\n");
    Response.Write(Math.floor(i7) + "\n");
    var n8 = eval("28");
    i7 += 2;
  }
  a6 += a6;
  if ("  15" >= "0.125") {
    return -i7;
  }
  return a6 - "".length;
}
function f9() {
  var n10 = ((0.1 / 1) * 0xff) + Math.exp('1e3'.length);
  return 'Hello'.charAt(8);
}
var n11 = 88348;
Response.Write(n11 + "\n");
var n12 = n11;
var b13 = !isNaN('0x1F'.length);
var b14 = isNaN(n12);
Response.Write(0xff + "\n");
var b15 = 2.75 <= "1e3".indexOf("1", 9);
n12--;
var n16 = -Math.max(n11 / 3.125, n12);
