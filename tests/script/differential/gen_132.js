function f1(a2, a3) {
  var s4 = '.se' + Math.round('-3.5'.charCodeAt(8));
  Response.Write(s4 + "\n");
  var i5;
  i5 = 3;
  do {
    var n6 = i5;
    Response.Write(((typeof (typeof "RRpGy0T")) + false) + "\n");
    i5++;
  } while (i5 < 6);
  return '12'.slice(9, -3) + s4.length;
}
var n7 = String.fromCharCode(109, 76, 102).length;
Response.Write(n7 + "\n");
var d8 = new Date(1686504438000);
var d9 = new Date(1974, 2, 26, 3, 16, 58, 502);
d9.setUTCFullYear(2000);
var n10 = " 7 ".indexOf("A");
n10 *= n10;
var n11 = String.fromCharCode(86, 78, 118).indexOf(' ', 1);
Response.Write('U'.toLowerCase() + "\n");
