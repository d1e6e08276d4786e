function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4) {
  a4 = (a4 + false) + isFinite(a4);
  var b5 = (a4 + (!false)) <= (String(6) + a4);
  a4 += "-3.5";
  return 3.125;
}
var d6 = new Date(1516700054000);
if (4 !== (16814 % 9)) {
  var n7 = -parseInt('-3.5', 10);
} else {
  if (n7 <= 18) {
    Response.Write(n7 + "\n");
    Response.Write(('5.' != "ky") + "\n");
  }
}
Response.Write(true + "\n");
var o8 = new P1(n7, n7);
o8.p = "ff" * 3;
o8.w = 9;
o8.q = n7;
var d9 = new Date(Date.UTC(1978, 2, 9));
d9.setUTCMinutes(11);
d9.setUTCDate(24);
Response.Write(f3("o9pFu") + "\n");
n7 = "Beta".charAt(7).charCodeAt(10);
Response.Write(n7 + "\n");
var b10 = isNaN(('J69X' + true) + "".slice(3, 2));
