function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5() {
  Response.Write(1.5 + "\n");
  if (isFinite(16 + 8)) {
    Response.Write(String("a-b-c".indexOf('o') + 'C'.indexOf("A")) + "\n");
    Response.Write(true + "\n");
    var n6 = String.fromCharCode(89, 115).indexOf(" ");
  } else {
    n6 += eval("n6 - 31");
  }
  return Math.round(eval("n6"));
}
var n7 = 1e3;
if ("3.25".toLowerCase() > ('1e3' + true)) {
  var b8 = isFinite(parseInt('12', 16));
}
Response.Write(('7fffffff' == (n7 / n7)) + "\n");
n7--;
if (isFinite("5." - 4)) {
  var d9 = new Date(2843244304000);
  d9.setUTCHours(19);
  d9.setDate(17);
}
var n10 = Math.LN10;
