function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
Response.Write("x".lastIndexOf('ab') + "\n");
var n4 = 'Hello'.length;
Response.Write((typeof "0x1F".replace("o", 'XY')) + "\n");
Response.Write((String.fromCharCode(98, 113, 82) + n4) + "\n");
if ('1.5e-3' == '  15'.charCodeAt(12)) {
  Response.Write(("0.125".lastIndexOf(" ") == n4) + "\n");
} else {
  n4 *= "".lastIndexOf("x") - (n4 + n4);
}
Response.Write(false + "\n");
