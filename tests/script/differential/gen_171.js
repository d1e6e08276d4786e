function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4, a5) {
  this.x = a3;
  this.y = a4;
  this.name1 = a5;
}
function f6(a7, a8, a9) {
  var n10 = a8;
  if (18 == a8) {
    return eval("a8");
  }
  return eval("10");
}
if (false) {
  Response.Write(99.99 + "\n");
}
var o11 = new P2("Hello".charCodeAt(8), 0 + 16, 'ABC');
o11.p = parseFloat(".5");
Response.Write("ABC" + "\n");
var n12 = ('dw'.charCodeAt(2) + 28142) % f6(isNaN(83198), 12, "onQVvn:Q");
if (("gamma" + '!0') == 'Beta'.replace('ab', '[]')) {
  Response.Write((-"AbCdEf".indexOf('x')) + "\n");
}
var n13 = eval("22");
