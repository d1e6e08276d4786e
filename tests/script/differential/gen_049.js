function f1() {
  return 'MNh'.substring(2, 9);
}
function f2(a3, a4, a5) {
  if (false) {
    return a5;
  }
  return (15 % a5) / 6;
}
var o6 = new Object();
o6.w = "".indexOf('A', -2) * f2('alpha', "world", 16);
o6.total = 0.25 / 1.5e-4;
var d7 = new Date(Date.UTC(2045, 11, 11));
d7.setUTCDate(40);
d7.setUTCSeconds(46);
if (isNaN(d7.getUTCHours())) {
  if (f2("hKqwp", 'YmQmgsxy', 7) > d7.valueOf()) {
    var n8 = -(o6.total % f2("ez", "KM-4LP4", 5));
    n8--;
    Response.Write((isNaN(0.5) && isFinite(''.slice(2))) + "\n");
  }
  if ("abc" === n8) {
    n8 *= "q!?".indexOf("-");
    var n9 = 2.75;
  } else {
    Response.Write(isFinite(Math.exp(d7.getUTCMonth())) + "\n");
    var i10;
    for (i10 = 3; i10 < 11; i10++) {
      Response.Write("delta" + "\n");
      Response.Write(11 + "\n");
      Response.Write("abc".toLowerCase() + "\n");
    }
  }
}
var o11 = new Object;
o11.total = n9;
o11.p = o6.total * Math.pow(.5, 8);
Response.Write('ff' + "\n");
n9 = n8;
n9 = "x".charCodeAt(3);
var o12 = new Object();
o12.total = "ff" * 2;
o12.w = o6.w;
Response.Write(("alpha".toUpperCase() + ("zz" <= String(n8))) + "\n");
Response.Write(n8 + "\n");
