function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4) {
  Response.Write("1e3".replace("A", '[]') + "\n");
  Response.Write(('0x1F'.replace("a", '-') + (("0.125" + 20) + (99.99 > 2E5))) + "\n");
  return .5;
}
var o5 = new P1(7 * 12.5, 17);
o5.q = f3(true) + 15;
o5.label = "";
o5.label = String(0.001);
var s6 = "mIxEd";
var s7 = "gamma".charAt(7);
var n8 = f3(!true);
var n9 = 1;
var n10 = n9 / f3(false && false);
n8 = eval("n10");
Response.Write("a-b-c".charCodeAt(10) + "\n");
if (isFinite(typeof n9)) {
  var i11;
  i11 = 2;
  while (i11 < 5) {
    if (isNaN(n10)) {
      break;
    }
    i11 += 2;
  }
}
s7 += s7.substring(-3);
