function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5) {
  var n6 = Math.atan2(eval("1"), Math.pow(eval("a5"), a5));
  return "D_-?fYE".length;
}
var n7 = eval("16");
n7 *= n7;
var b8 = (('w-hfV:' <= '.5') && true) && (('0x1F' + false) <= 'qo5:W0');
if (n7 === (-n7)) {
  var n9 = n7 - (Math.max(2, n7) + (1e3 - 12));
  if (isFinite(parseInt('7fffffff', 16))) {
    if ((false && true) || true) {
      n7 += f4(Math.log(17));
      var n10 = "Beta".replace('l', "__").indexOf("l");
    }
    n9--;
    Response.Write(String("abc".lastIndexOf("l")).indexOf("l", 3) + "\n");
  }
} else {
  var s11 = "l:NN9".replace('l', "[]");
  var b12 = isNaN(s11);
}
if (isFinite(n9 % 14)) {
  Response.Write((f4(f4(n10)) >= ('-0' - 2)) + "\n");
} else {
  Response.Write(s11 + "\n");
  var s13 = "x";
}
Response.Write(s13 + "\n");
Response.Write(('-3.5' >= n7) + "\n");
n10 = eval("n9 - 7");
