function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4, a5) {
  var b6 = ((-a4) / (a4 % 8)) >= (-Math.acos(46253));
  Response.Write("ff".replace('A', "[]") + "\n");
  return Math.round(a5);
}
Response.Write(isNaN(5) + "\n");
var b7 = '-3.5' > (('1ERQQKFg' + 27303) + true);
Response.Write((parseInt('5.', 10) < f3(9 - 16, 8)) + "\n");
Response.Write((("-3.5" >= 'U.#E?'.indexOf("b", 4)) || (!isFinite(12.5))) + "\n");
var s8 = "mIxEd" + 1e3;
var n9 = String.fromCharCode(114).lastIndexOf("o", '007' * 3);
Response.Write((!(b7 || (s8 === s8))) + "\n");
s8 += "0.125";
Response.Write(eval("(5 + n9) + (37 * n9)") + "\n");
var d10 = new Date(2025, 8, 3);
