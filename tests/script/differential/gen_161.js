function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5) {
  this.x = a4;
  this.y = a5;
}
function f6(a7, a8, a9) {
  Response.Write((typeof a7) + "\n");
  Response.Write(15 + "\n");
  return Math.sin(a9) % ("  15" - 1);
}
function f10() {
  Response.Write(false + "\n");
  return typeof 3;
}
function f11() {
  if (isNaN(5)) {
    return String(10) + (99.99 / 0.3);
  }
  return f10();
}
var b12 = (typeof 1) !== String.fromCharCode(101, 111);
Response.Write(".5" + "\n");
Response.Write((f6("255", "a-b-c".length, f6('AbCdEf', 19, 0.3)) + 2180) + "\n");
var s13 = '' + "LK?zT";
var n14 = String(17 - 18).length;
n14 *= n14;
if (parseFloat(s13) > (n14 - n14)) {
  Response.Write(((s13 + s13) + s13.charAt(0xff)) + "\n");
} else {
  Response.Write((-n14) + "\n");
}
