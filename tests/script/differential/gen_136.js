function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5) {
  this.x = a4;
  this.y = a5;
}
function f6(a7) {
  Response.Write((((8 + 1.5e-4) % eval("5")) > 38530) + "\n");
  return eval("1");
}
if (Math.floor(14) !== "10".length) {
  var s8 = "c:RjH";
  var n9 = '5.'.length;
  Response.Write((n9 >= n9) + "\n");
} else {
  Response.Write((typeof (s8 + s8)) + "\n");
}
var o10 = new P1(parseFloat('-0'), eval("n9"), s8);
o10.q = eval("n9") % (-n9);
o10.label = String(n9);
o10.label = s8;
var o11 = new Object;
o11.w = o10.y;
o11.label = "nfE8";
o11.w = s8.indexOf("-", 8);
var d12 = new Date(Date.UTC(2033, 9, 15, 2, 25, 57));
d12.setUTCSeconds(44);
var b13 = (isNaN(s8) || false) && (!('+8' > n9));
var b14 = b13;
