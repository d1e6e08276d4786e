function f1(a2) {
  var i3;
  i3 = 0;
  do {
    Response.Write(('+8' <= (i3 / (a2 * 0))) + "\n");
    i3++;
  } while (i3 < 6);
  var s4 = '';
  a2 -= (a2 / a2) + 2E5;
  if (true && false) {
    return (13 + i3) - (-11);
  }
  return a2;
}
Response.Write(((-41364) - 2.75) + "\n");
var s5 = '0.125';
var n6 = Math.floor(12 / 25943) % '5.'.length;
var b7 = isNaN(String(n6));
n6++;
Response.Write(("1e3".indexOf("ab") + s5.length) + "\n");
if (n6 == (n6 * 0.3)) {
  Response.Write(f1(Math.E % (2.75 + n6)) + "\n");
}
var o8 = new Object();
o8.label = (typeof 5) + String(n6);
o8.w = parseInt("", 10);
o8.q = n6;
var o9 = new Object;
o9.total = eval("n6") * eval("17");
o9.w = 41502;
var o10 = new Object();
o10.p = s5.charCodeAt(13);
var d11 = new Date(1979, 5, 1, 9, 45);
d11.setDate(31);
d11.setUTCHours(2);
