function f1(a2, a3) {
  if ('ff' >= String.fromCharCode(120, 99)) {
    var n4 = String.fromCharCode(113).length;
  }
  var s5 = String(n4);
  return n4;
}
function f6(a7, a8) {
  if (("0x1F" >= a7) && a8) {
    var s9 = "5.";
  }
  return ''.charCodeAt(a7);
}
function f10(a11, a12, a13) {
  var i14;
  i14 = 2;
  while (i14 < 6) {
    if ("abc" < 0.5) {
      break;
    }
    i14 += 2;
  }
  var i15;
  for (i15 = 3; i15 < 7; i15 += 2) {
    if (isFinite("EB")) {
      continue;
    }
    var n16 = (i14 + i15) + (i14 + i14);
    Response.Write(isNaN(i15) + "\n");
  }
  var i17;
  i17 = 2;
  while (i17 < 6) {
    n16 = i15;
    var n18 = i17;
    if (!false) {
      break;
    }
    i17 += 2;
  }
  return f6(f6(13, true), 2E5 < i15);
}
var n19 = eval("(29 + 22) * 25");
var s20 = "x".replace('A', '__') + (-(n19 - 15));
n19++;
Response.Write(isFinite(("12" - 3) / Math.ceil(n19)) + "\n");
var s21 = s20.replace('a', 'o') + (false || (false && false));
var s22 = s21.replace("-", "-");
var d23 = new Date(1685204530000);
var d24 = new Date(1973, 7, 26);
d24.setUTCMinutes(30);
d24.setDate(5);
s20 += s22;
var d25 = new Date(Date.UTC(2083, 0, 9, 8));
d25.setDate(18);
d25.setUTCMonth(8);
var n26 = eval("n19 - (n19 - 43)");
Response.Write((s20.replace("-", '__') + (String.fromCharCode(79, 85) > s22)) + "\n");
var n27 = 9;
Response.Write((n19 * (s21.lastIndexOf("a") % f1(5211, 0.001))) + "\n");
Response.Write((('abc' >= (-n19)) || ((false && false) || (83929 <= 2.75))) + "\n");
