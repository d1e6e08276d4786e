function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5, a6) {
  this.x = a4;
  this.y = a5;
  this.name1 = a6;
}
function f7() {
  var n8 = 0.1;
  Response.Write((n8 % "abc".lastIndexOf('o', -1)) + "\n");
  return "";
}
function f9(a10, a11, a12) {
  Response.Write(a10 + "\n");
  return "8";
}
var d13 = new Date(Date.UTC(2054, 7, 7, 20, 37));
d13.setUTCMinutes(14);
d13.setMonth(3);
Response.Write('10'.toLowerCase() + "\n");
var o14 = new P1(17, d13.getHours(), f9(true, 20, 0));
o14.q = eval("27");
o14.label = "12";
o14.w = 16 % d13.getUTCHours();
var s15 = '5.' + String.fromCharCode(81, 66, 96);
s15 += s15;
s15 = s15;
