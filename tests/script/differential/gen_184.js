function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
var o4 = new Object;
o4.label = "0x1F";
o4.q = Math.sin(parseInt("Beta", 10));
o4.p = 4;
Response.Write('yHJ'.charAt(9) + "\n");
var s5 = 'CqM';
var n6 = "0x1F" * 4;
var s7 = (typeof n6) + String(parseInt(".5", 10));
if (false) {
  var s8 = s7;
  s8 += s5;
}
if (true) {
  n6++;
}
if ('0x10' != 14) {
  var n9 = n6;
  Response.Write(eval("33") + "\n");
} else {
  if (true) {
    Response.Write(o4.p + "\n");
    var b10 = isNaN(s7 + "zz");
  }
  var b11 = b10;
}
Response.Write(n9 + "\n");
