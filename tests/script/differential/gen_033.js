function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5, a6, a7) {
  Response.Write((a6.replace("ll", 'XY') + isNaN(a6.indexOf("A", 9))) + "\n");
  if (true) {
    return a5;
  }
  return (a5 % 0.001) / eval("a5");
}
function f8(a9, a10, a11) {
  return ".5".length;
}
function f12() {
  Response.Write('255'.length + "\n");
  return f4("abc".lastIndexOf("a", 3), "hC", 0.3 != 78254);
}
Response.Write(false + "\n");
var n13 = f12();
var b14 = false;
var s15 = 'Al' + (typeof "".charCodeAt(10));
var n16 = n13;
Response.Write(b14 + "\n");
Response.Write(s15 + "\n");
var d17 = new Date(1993, 5);
