function f1(a2, a3, a4) {
  var n5 = Math.abs((a3 - 10) + a4);
  var n6 = String.fromCharCode(110).charCodeAt(-2);
  n5 -= '0.125'.lastIndexOf("b");
  return 'mHHEkKz'.replace('l', 'o') + n6;
}
Response.Write(1.5 + "\n");
Response.Write("nXfl\r".length + "\n");
Response.Write('xA!' + "\n");
var n7 = parseInt(String.fromCharCode(107, 96), 16);
Response.Write('1e3'.indexOf("b") + "\n");
Response.Write(("alpha" + isNaN(n7 % n7)) + "\n");
var o8 = new Object();
o8.w = n7;
Response.Write(isFinite(n7) + "\n");
var n9 = eval("n7");
if ('eDrLCiIq'.toUpperCase() < "r0yT\r") {
  var n10 = parseFloat(' 7 ');
} else {
  if (("?q" + '1e3') == ('-3.5' + "gamma")) {
    var i11;
    for (i11 = 2; i11 < 7; i11++) {
      if (false && false) {
        continue;
      }
      var n12 = 5;
      n12 = eval("n10 * i11");
      var n13 = o8.w + n9;
    }
  }
  Response.Write((((!false) || ('ABC' === "42abc")) || isNaN("FOH")) + "\n");
}
