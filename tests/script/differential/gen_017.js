function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
var d4 = new Date(3106914020000);
Response.Write((("  15" >= eval("47")) && (false || false)) + "\n");
Response.Write(12.5 + "\n");
var o5 = new Object();
o5.label = "  15" + (60964 + .5);
o5.total = d4.getUTCFullYear();
Response.Write('5.' + "\n");
var n6 = 19;
var n7 = n6;
