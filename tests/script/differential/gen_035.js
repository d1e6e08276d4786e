function f1() {
  var n2 = 3.125 * (30455 - ''.lastIndexOf('b'));
  if (true && true) {
    return 20;
  }
  return (11 / n2) + (1.5e-4 % 12.5);
}
Response.Write(false + "\n");
var n3 = Math.abs('-ic!H'.charCodeAt(7));
var o4 = new Object;
o4.label = 'mIxEd';
o4.w = -n3;
o4.q = n3;
Response.Write('world' + "\n");
var n5 = '1.5e-3' * 4;
if (("Hello" <= 'one two') && (true || false)) {
  Response.Write(isFinite(o4.w) + "\n");
  var d6 = new Date(Date.UTC(2096, 7, 2, 11, 46));
  d6.setUTCMonth(4);
  n5 += 2;
}
Response.Write(true + "\n");
var n7 = eval("n5 * (45 - 45)");
Response.Write("KItr".toLowerCase() + "\n");
Response.Write(isNaN(n7 - f1()) + "\n");
Response.Write('12'.substring(d6.getFullYear()) + "\n");
var b8 = "1e3" === Math.abs("".length);
var n9 = n5;
var n10 = n5;
