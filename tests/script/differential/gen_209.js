function f1() {
  if (!false) {
    return 'Beta'.indexOf("a");
  }
  return (17 / 43134) * 2E5;
}
function f2() {
  if (true) {
    var b3 = 'zz' == '1e3'.replace(' ', 'o');
    var n4 = String.fromCharCode(71).length;
  }
  var n5 = 3.125;
  return typeof Math.min(2, n5);
}
function f6() {
  return (3 + 11) % Math.ceil(11);
}
Response.Write((f1() * '-3.5'.indexOf("o")) + "\n");
var o7 = new Object();
o7.p = -eval("40");
o7.label = typeof (1 % 1);
if (isFinite(o7.p)) {
  var d8 = new Date(Date.UTC(2031, 11));
  d8.setUTCMinutes(33);
  d8.setUTCSeconds(22);
  var n9 = f6();
} else {
  var s10 = "Uk2".charAt(0);
  var n11 = o7.p;
}
s10 += typeof f2();
n11++;
var o12 = new Object();
o12.w = n11;
o12.total = Math.max(n9, o7.p);
var b13 = ('ff' <= (n11 % 1)) && (isFinite(7) && ("" !== s10));
if (b13) {
  if (b13) {
    Response.Write((n11 === ('gamma'.length / n9)) + "\n");
    var i14;
    for (i14 = 2; i14 < 8; i14++) {
      var b15 = s10.length == s10.length;
      Response.Write(f2() + "\n");
      Response.Write(d8.getMonth() + "\n");
    }
  } else {
    n11 -= 11;
  }
  n9 = o7.p;
  Response.Write((((n9 - 13) % n11) * 20) + "\n");
}
Response.Write(f2() + "\n");
n11 = d8.getUTCSeconds() - Math.atan2(n11, 0xff);
var d16 = new Date(Date.UTC(2068, 0, 23));
