function f1(a2) {
  if (true) {
    return Math.PI;
  }
  return a2;
}
var n3 = ((-10645) / parseInt('12', 10)) / f1(0.25 - 10);
var o4 = new Object();
o4.w = 6 - '0x1F'.length;
o4.total = n3;
Response.Write(((('6UCvl' + true) + String.fromCharCode(104, 115)) + ' twt'.charAt(1.5)) + "\n");
Response.Write((false || (('12' != 'Beta') && true)) + "\n");
Response.Write(("-0" === 'abc'.indexOf('l')) + "\n");
if (false) {
  n3 = "y7!s0tqV'".indexOf("x", n3);
} else {
  var d5 = new Date(Date.UTC(2049, 1, 10));
  d5.setUTCMinutes(2);
  var n6 = d5.getTime() - (-('-3.5' - 3));
}
var s7 = String(n3);
var o8 = new Object;
o8.total = o4.total;
o8.p = s7.lastIndexOf('l');
Response.Write(9 + "\n");
Response.Write(d5.getUTCMonth() + "\n");
Response.Write(s7 + "\n");
Response.Write(String(0xff).length + "\n");
Response.Write(84989 + "\n");
s7 = s7;
var n9 = o4.total;
var d10 = new Date(2197488665000);
