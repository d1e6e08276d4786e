function f1(a2, a3, a4) {
  var i5;
  i5 = 2;
  while (i5 < 6) {
    if (a3) {
      break;
    }
    if (isFinite(a4)) {
      break;
    }
    i5++;
  }
  var i6;
  i6 = 2;
  while (i6 < 10) {
    Response.Write((a2 + 'world'.replace("ab", "o")) + "\n");
    if (a3) {
      break;
    }
    var n7 = 5;
    i6 += 2;
  }
  return n7;
}
function f8() {
  var b9 = true;
  if (b9 && b9) {
    return -11;
  }
  return -(18 / 0.3);
}
Response.Write((("rQV\r" + (false && true)) + ("  15" < 0xff)) + "\n");
var n10 = "1e3".length;
Response.Write(n10 + "\n");
var s11 = "'".charAt(0);
n10++;
Response.Write(true + "\n");
Response.Write(n10 + "\n");
var b12 = (isFinite(n10) && isNaN(s11)) || ("WV".toLowerCase() >= s11);
