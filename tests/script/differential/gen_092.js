function f1(a2, a3, a4) {
  Response.Write('3.25' + "\n");
  return a3 * "AbCdEf".charCodeAt(6);
}
function f5() {
  return ":U9Tj" + f1(8, 7, 2);
}
var n6 = 4;
Response.Write(n6 + "\n");
Response.Write(false + "\n");
n6 -= parseInt('-0', 10);
var n7 = 'gamma'.replace('-', '__').indexOf('1', 6);
Response.Write(f1(n6, (-n6) % (n6 + n6), n6) + "\n");
var s8 = String.fromCharCode(122);
var d9 = new Date(1978, 0, 5, 2, 47, 34, 638);
d9.setMonth(3);
var b10 = "  15" == (eval("25") - (n6 * 0xff));
var n11 = f1(n6, eval("n7 - n7"), n6);
n7 = n7;
var n12 = d9.getUTCHours();
