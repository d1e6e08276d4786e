function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3() {
  var b4 = "dgJ:s3P".charAt(17) > String(12.5 / 0.2);
  Response.Write('x'.slice("0x1F".indexOf('x', -3)) + "\n");
  return Math.atan2(1 + 0.3, 'waUZo'.length);
}
function f5(a6, a7, a8) {
  var b9 = true;
  Response.Write(isFinite(f3()) + "\n");
  var s10 = "h!Uh";
  return parseFloat('5.') + (a6 + 5);
}
if (false) {
  var b11 = 'dq' === String.fromCharCode(97, 112);
  var o12 = new P1(Math.ceil(0.2), "ABC".length);
  o12.w = parseInt('42abc', 10) + 5;
}
var n13 = 99.99;
var b14 = isNaN(Math.acos(37172 % n13));
var d15 = new Date(2049, 2, 9);
d15.setUTCFullYear(1997);
Response.Write((typeof String.fromCharCode(120, 119)) + "\n");
Response.Write(n13 + "\n");
Response.Write("delta".replace('a', "__") + "\n");
n13--;
var n16 = d15.getUTCMinutes();
var b17 = false && (isFinite(n16) || ("AbCdEf" > "zz"));
var b18 = "007" <= n16;
