function f1(a2) {
  var b3 = 'Hello'.replace("x", 'o').length == ((0.2 + 14) + 2.75);
  var n4 = Math.tan(parseInt("ff", 10));
  var n5 = eval("n4 - (n4 + 13)");
  return eval("n5 + 47");
}
function f6() {
  Response.Write('abc'.toLowerCase() + "\n");
  Response.Write(("T?X" + 'a-b-c'.indexOf('ab', 0)) + "\n");
  var s7 = "cisFzZ8D".replace('l', "-");
  return s7.slice(-3);
}
function f8(a9, a10) {
  var n11 = 'RO8arh'.charAt(0xff).length;
  var b12 = "GT\n".replace('ab', "-") >= (typeof ' 7 '.replace("o", 'XY'));
  if (b12) {
    return "+8" - 4;
  }
  return n11;
}
var s13 = String.fromCharCode(95, 87) + "VF'".substring(4, 3);
if (isNaN(25470)) {
  var d14 = new Date(Date.UTC(1977, 3));
  d14.setUTCDate(37);
  d14.setUTCMinutes(4);
}
Response.Write(false + "\n");
var o15 = new Object;
o15.total = parseInt('fUtLE' + s13, 16);
Response.Write(47673 + "\n");
Response.Write(((10 + eval("10")) === s13.lastIndexOf('ab')) + "\n");
var s16 = String.fromCharCode(73, 92, 115);
var n17 = o15.total;
var o18 = new Object();
o18.q = n17;
