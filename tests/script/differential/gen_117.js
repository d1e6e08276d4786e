function f1(a2) {
  var i3;
  i3 = 0;
  while (i3 < 2) {
    Response.Write(a2 + "\n");
    i3 += 2;
  }
  var n4 = (a2 / a2) * (Math.SQRT2 * i3);
  return i3;
}
function f5() {
  var n6 = 14614;
  if (isFinite('TWQ ')) {
    return (0.25 - n6) / n6;
  }
  return eval("39");
}
Response.Write(false + "\n");
if (!("1e3" != '-3.5')) {
  if (19 != 18) {
    Response.Write(('' + ('+8' == eval("23"))) + "\n");
    var n7 = (-(-2)) * 17;
  }
  Response.Write(("10" + "1e3".charCodeAt(4)) + "\n");
}
var b8 = isNaN(12 - n7);
Response.Write(isFinite(n7) + "\n");
var d9 = new Date(3312564336000);
d9.setUTCMonth(14);
var o10 = new Object();
o10.p = Math.pow(n7 / 7, 2);
Response.Write(isFinite(-d9.getHours()) + "\n");
