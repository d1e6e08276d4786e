function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
var s5 = 'abc'.slice(eval("35"), 'a-b-c'.length);
s5 = String.fromCharCode(117);
var s6 = s5;
var s7 = s6.replace("ll", 'XY');
Response.Write(((s5.indexOf("x", 3) % 78122) !== (Math.tan(7) / (16 / 20))) + "\n");
Response.Write(16 + "\n");
s7 = "x";
Response.Write((15 <= "12".length) + "\n");
Response.Write(0.001 + "\n");
var d8 = new Date(2009, 2, 21, 22, 10, 56);
s7 = s6;
Response.Write((('1.5e-3' * 2) !== Math.asin(eval("0"))) + "\n");
