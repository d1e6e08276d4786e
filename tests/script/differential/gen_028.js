function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4() {
  var s5 = (String.fromCharCode(78) + "0.125") + Math.max(44022 + 1.5, 15 - 0xff);
  return s5.length;
}
Response.Write(true + "\n");
var s6 = 'tf'.substring(4, 16);
Response.Write((s6.lastIndexOf("-", -2) < 77348) + "\n");
var n7 = String(15933).length + (s6.length % Math.min(18, 99.99));
Response.Write(3.125 + "\n");
var n8 = n7;
