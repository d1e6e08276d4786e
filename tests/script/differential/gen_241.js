function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5, a6, a7) {
  Response.Write(("5." + true) + "\n");
  var b8 = isNaN(" eW".substring(3, a6));
  a7 -= 9 / a6;
  return "Hello";
}
function f9(a10, a11) {
  if (a11 === a10) {
    return -eval("20");
  }
  return a10 % 1.5;
}
var d12 = new Date(1978, 5, 1, 1, 20, 6);
d12.setDate(28);
d12.setUTCHours(1);
if ((true && false) || true) {
  var s13 = ("L" + String(0xff)) + false;
  s13 += String.fromCharCode(81, 114, 101);
  Response.Write(parseFloat(s13.toLowerCase()) + "\n");
}
var n14 = (eval("32") % 19) + "-3.5".length;
var n15 = n14;
var o16 = new P1('ynya1X'.charCodeAt(3), n14, ''.slice(5));
o16.total = Math.E;
o16.w = f9(f9(n15, n14), 12);
Response.Write(f9((n14 - n14) % (-7), d12.getUTCHours() + f9(1.5, 14)) + "\n");
var n17 = n15;
var d18 = new Date(Date.UTC(2057, 4, 20, 15, 27, 57, 332));
d18.setMonth(11);
d18.setUTCDate(16);
var s19 = f4(isFinite("ff"), n15, n14);
Response.Write((!false) + "\n");
Response.Write(f9(f9(n17, f9(n17, n15)), f9(n14, o16.w)) + "\n");
var o20 = new Object;
o20.label = String(eval("n17"));
var s21 = "alpha";
var d22 = new Date(1974, 5, 25, 6, 22, 54, 958);
