function f1(a2, a3, a4) {
  var i5;
  i5 = 0;
  do {
    Response.Write(('.5' + eval("a2 + 0")) + "\n");
    i5++;
  } while (i5 < 7);
  return (-i5) / parseInt(".5", 16);
}
function f6(a7, a8, a9) {
  var i10;
  i10 = 3;
  do {
    var b11 = isFinite(i10);
    i10 += 2;
  } while (i10 < 10);
  return i10;
}
var s12 = "alpha";
var s13 = s12;
Response.Write(false + "\n");
s12 += s12.replace('a', "__");
if ((20 === 28313) || (s12 !== s13)) {
  Response.Write(((s13 + "0x1F") + ((s13 * 1) == s12.indexOf('A', 6))) + "\n");
}
s12 += String.fromCharCode(112, 117, 98) + (true || true);
