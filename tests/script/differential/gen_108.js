function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4) {
  if (isNaN(a4)) {
    return a4;
  }
  return a4;
}
function f5() {
  return parseFloat(" 7 ");
}
function f6() {
  return "  15";
}
var n7 = 0.001;
var s8 = String.fromCharCode(72, 82) + ((n7 >= 19) || (true && false));
Response.Write((('ff' !== (n7 / n7)) && (n7 >= Math.atan(2))) + "\n");
var s9 = String.fromCharCode(96) + f3(s8.indexOf('-', 12));
var s10 = f6();
Response.Write(20373 + "\n");
Response.Write((!(s9 != s10)) + "\n");
if (!(true || false)) {
  Response.Write(n7 + "\n");
  var o11 = new P1(n7 - 10, n7);
  o11.w = f5();
  var d12 = new Date(Date.UTC(1993, 8, 15, 11));
} else {
  Response.Write((n7 + parseInt('1e3', 16)) + "\n");
  var n13 = Math.atan(n7);
}
var d14 = new Date(Date.UTC(2041, 0, 9, 12, 27));
d14.setUTCSeconds(6);
if (n13 !== 'world'.indexOf('a')) {
  s8 = ("world" + n7) + (0.001 + 0);
  n13 = Math.acos(n13);
}
Response.Write(n7 + "\n");
