function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3() {
  var n4 = (0.25 * "alpha".indexOf("b")) + 1e3;
  var n5 = n4 + (" 7 " - 3);
  return eval("17 * n4");
}
function f6() {
  var s7 = '10';
  if (Math.sqrt(0.3) <= 10) {
    Response.Write(String((15 % 14) + (19 + 10)) + "\n");
    Response.Write(Math.tan(s7.indexOf("x")) + "\n");
    Response.Write("one two" + "\n");
  } else {
    var n8 = 3.125 % Math.abs(9);
  }
  Response.Write((s7 + Math.atan2(Math.abs(14), 'ff'.lastIndexOf("l"))) + "\n");
  if (!false) {
    return s7.charAt(n8);
  }
  return s7;
}
var o9 = new P1(Math.pow(10, 8), 7);
o9.total = f3();
var s10 = typeof String.fromCharCode(67, 105, 73);
Response.Write(false + "\n");
var n11 = 3;
var o12 = new Object;
o12.label = s10.charAt(8);
o12.label = s10.replace('l', "");
var n13 = '.5'.indexOf('o');
if (isNaN(s10)) {
  n13 = Math.round(n11);
  var n14 = parseInt(s10, 10);
  var s15 = s10;
}
var d16 = new Date(1348372431000);
var n17 = Math.atan2(n13, n14);
