function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5(a6) {
  a6 = String.fromCharCode(93, 104);
  Response.Write(true + "\n");
  Response.Write(a6 + "\n");
  if ("+8" == 13) {
    return 19 % a6.charCodeAt(-3);
  }
  return 5;
}
function f7() {
  var b8 = isNaN('12' + 3) || true;
  return 2 % (1.5e-4 % 7);
}
function f9(a10) {
  var n11 = (-parseFloat("3.25")) - ((8 + 4) + 'L-'.indexOf("a"));
  var s12 = "delta" + n11;
  Response.Write(s12 + "\n");
  return (s12 - 2) + n11;
}
var s13 = "".replace('o', "__");
var b14 = Math.atan2(0.3, 3) <= parseFloat("-3.5");
s13 += s13;
if (s13 >= "abc") {
  var o15 = new P1(-81027, parseInt(" 7 ", 10));
  o15.q = -3.125;
  o15.w = 17;
  o15.w = f7();
  s13 = s13;
  Response.Write((s13.indexOf('A') * Math.sqrt('-3.5'.charCodeAt(2))) + "\n");
}
Response.Write(b14 + "\n");
var n16 = .5 % 2;
Response.Write(("Qk#!Z" + 13) + "\n");
s13 += '1e3'.charAt(5);
