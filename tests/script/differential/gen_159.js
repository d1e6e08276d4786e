function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4, a5) {
  Response.Write(eval("5 - (19 + 20)") + "\n");
  var b6 = a5;
  if (b6) {
    return "u";
  }
  return a4.replace("e", "__");
}
function f7(a8, a9, a10) {
  a8 = a9.lastIndexOf("l") / eval("9");
  if (String(a8) == String.fromCharCode(85, 87)) {
    a8 += 1e3 + a10.length;
    var s11 = a9;
  }
  return a8;
}
var b12 = isFinite(eval("36") + parseFloat("3.25"));
Response.Write(49600 + "\n");
var n13 = -f3("1e3", b12).charCodeAt(1);
n13 += n13;
Response.Write(n13 + "\n");
Response.Write((((n13 - n13) == Math.sqrt(n13)) || (!(".5" >= ""))) + "\n");
