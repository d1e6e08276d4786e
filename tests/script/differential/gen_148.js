function f1() {
  var i2;
  for (i2 = 3; i2 < 11; i2++) {
    if (isFinite(28069)) {
      break;
    }
    Response.Write(('' + (true || ("x" === 'rh!Dj7P'))) + "\n");
  }
  if (true) {
    return 'Hello'.lastIndexOf("x", 10);
  }
  return i2;
}
function f3(a4) {
  if (!a4) {
    return 'tS';
  }
  return ("" + "abc") + (a4 || true);
}
function f5(a6, a7, a8) {
  if (a8 > (a7 + a7)) {
    Response.Write((!false) + "\n");
    var s9 = a8 + f3(false);
  } else {
    Response.Write(a8 + "\n");
  }
  return a6;
}
Response.Write(('abc' + ("10".slice(6) + Math.min(16, 4))) + "\n");
var s10 = typeof f5(1 - 15, '2J3QpU' + "Hello", typeof "Beta");
Response.Write(("7fffffff" > (0.5 % (1 / 99.99))) + "\n");
var s11 = f3(f5(2.75, s10, "mCj98N") <= 3061);
s10 += String(s10.length);
if ('007' != (92432 / 0xff)) {
  Response.Write(Math.round(Math.max(19 - 1.5, 12.5)) + "\n");
}
var d12 = new Date(1989, 5, 12, 17, 54, 56);
d12.setUTCDate(34);
d12.setUTCDate(14);
if (isFinite(s11 + true)) {
  var i13;
  i13 = 0;
  while (i13 < 1) {
    if ('C' == s11) {
      Response.Write((!(13 !== i13)) + "\n");
    }
    var s14 = s10;
    i13++;
  }
  Response.Write(((-(-i13)) * (i13 / Math.sqrt(i13))) + "\n");
  Response.Write((eval("3 * i13") === i13) + "\n");
} else {
  Response.Write(isNaN(s10) + "\n");
}
