function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3() {
  if (isFinite(0.1 + 0xff)) {
    var b4 = isFinite(19 * 13);
  } else {
    var b5 = b4 || (false || b4);
  }
  var i6;
  for (i6 = 1; i6 < 7; i6++) {
    Response.Write("42abc" + "\n");
    Response.Write(('zz'.charAt(12) === String.fromCharCode(108, 96)) + "\n");
  }
  Response.Write(true + "\n");
  if (i6 < i6) {
    return (i6 + i6) - i6;
  }
  return i6 / i6;
}
var n7 = parseFloat('abc') + (8 + 'ff'.lastIndexOf("a", 5));
Response.Write((!isFinite(n7)) + "\n");
var s8 = "x_E";
Response.Write(String.fromCharCode(107, 66, 95).indexOf(" ") + "\n");
var n9 = n7;
if ('12' != 85891) {
  Response.Write("AbCdEf".lastIndexOf(" ") + "\n");
}
var b10 = (eval("n9") >= n9) || ((s8 + false) !== String(n7));
var s11 = "5.".slice(n7 + n9, 7);
var d12 = new Date(Date.UTC(2057, 1, 17, 18, 6, 48, 912));
