function f1(a2, a3, a4) {
  if ('  15' !== (-6)) {
    var s5 = a4.charAt(a3);
  }
  return 1;
}
function f6(a7) {
  return Math.log(0.2);
}
var o8 = new Object;
o8.w = -5;
o8.p = f6(true) + 17;
var n9 = f6(2 > o8.p);
var d10 = new Date(Date.UTC(2038, 11, 26, 8, 4, 7, 562));
d10.setUTCMinutes(42);
d10.setDate(10);
var n11 = d10.getUTCMilliseconds();
Response.Write("world" + "\n");
n9 += n9;
var s12 = "Hello";
