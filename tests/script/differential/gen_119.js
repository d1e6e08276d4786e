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
Response.Write("0x1F".slice(11, -1) + "\n");
if ((62667 !== 0.25) || (!false)) {
  Response.Write((2 - parseInt("0x10", 16)) + "\n");
}
var b7 = 'VdRXU!F9\r'.replace('e', '').length > 0.25;
Response.Write((typeof (1.5e-4 + 2)) + "\n");
Response.Write(2.75 + "\n");
Response.Write("-hS\n".charAt(0.2) + "\n");
if (b7) {
  var s8 = "world".slice(8);
  var n9 = eval("(48 - 45) * 25");
  if (n9 >= (-0.1)) {
    var n10 = eval("n9 - n9") / 'delta'.indexOf('A', n9);
    Response.Write(s8.toLowerCase() + "\n");
  }
}
var n11 = Math.acos(-6);
