function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5) {
  return Math.asin(a5);
}
function f6(a7, a8) {
  var s9 = ("zz" + parseFloat("abc")) + 14;
  return "L_";
}
Response.Write(false + "\n");
if (String.fromCharCode(80) > 'x') {
  var n10 = f4(2);
  var n11 = eval("44 + (4 + n10)");
}
if (12 !== (2 + 11)) {
  var n12 = Math.atan2(f4(1.5e-4), n11);
  var b13 = isFinite('alpha'.replace('a', '[]').lastIndexOf('ab'));
}
var d14 = new Date(687656036000);
d14.setMonth(9);
Response.Write(String.fromCharCode(81, 84, 118) + "\n");
var n15 = "0.125".lastIndexOf("a");
var b16 = isNaN(f4(n12));
Response.Write(("1e3" < (parseInt("", 10) * f4(n15))) + "\n");
Response.Write(isNaN(-(-n10)) + "\n");
var b17 = (!false) || isFinite('a-b-c' + n11);
Response.Write(('.5' !== (f6(b16, true) + "ABC")) + "\n");
n11 = n10 - (n10 - 7);
var b18 = isNaN(f6(b16, false).indexOf('1'));
Response.Write(f4(n10) + "\n");
