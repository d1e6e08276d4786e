function f1(a2, a3, a4) {
  a2 += a2;
  a4--;
  var n5 = -(parseFloat('-0') - a4);
  return a4;
}
function f6() {
  return "7l";
}
function f7(a8, a9, a10) {
  if (6 === a10) {
    return "" + "255";
  }
  return ".FuL#zW_\\";
}
var s11 = 'GZ' + ("1e3".charAt(10) + Math.pow(3.125, 0));
Response.Write(s11 + "\n");
var b12 = ((false || true) || (!false)) || false;
var n13 = s11.toLowerCase().lastIndexOf("o");
n13 = f1(String(n13), !false, n13);
var n14 = -0.5;
