function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5) {
  Response.Write(((!("5." < a5)) && (!false)) + "\n");
  var b6 = !('0x1F' < 13);
  Response.Write((("q!?" + "a-b-c".length) + ((a5 % a5) % (-3))) + "\n");
  return '10';
}
function f7() {
  Response.Write((('0.125'.indexOf(" ") / (77808 % 2E5)) >= 0.5) + "\n");
  return 18;
}
function f8() {
  var n9 = 5143;
  if (!false) {
    var b10 = (false || true) && (false || false);
    Response.Write((f7() != f7()) + "\n");
  } else {
    var n11 = -1.5e-4;
    Response.Write(b10 + "\n");
  }
  Response.Write(f4(n11) + "\n");
  return String.fromCharCode(72, 88, 103);
}
var n12 = eval("(20 + 7) - (46 + 26)");
var o13 = new P1(n12 / n12, n12, "5.");
o13.label = ('zz' + true) + isFinite(n12);
var n14 = f7();
Response.Write(("+8" !== 3) + "\n");
Response.Write('b?Dhe' + "\n");
Response.Write(isFinite(12) + "\n");
Response.Write((("12".slice(7, 6) + o13.x) + o13.name1) + "\n");
var s15 = 'Ouc';
var n16 = n14;
var n17 = f7();
