function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
var b4 = false;
var s5 = "alpha";
var n6 = "mIxEd".indexOf('A', parseInt('  15', 10));
s5 = s5.toUpperCase();
var n7 = n6;
Response.Write(n7 + "\n");
var s8 = "o".slice(12, n6);
var n9 = -(-parseFloat('3.25'));
Response.Write(b4 + "\n");
Response.Write(b4 + "\n");
Response.Write(eval("n9") + "\n");
Response.Write(isNaN(s8) + "\n");
