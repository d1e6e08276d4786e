function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
Response.Write(String(5) + "\n");
Response.Write("zz" + "\n");
Response.Write(false + "\n");
var n3 = Math.cos(0 / 5);
Response.Write(true + "\n");
var n4 = Math.exp(''.charCodeAt(6)) % n3;
var n5 = '0x10' - 2;
var n6 = "q!?".indexOf("-", 3) % (n4 - (n4 - n5));
