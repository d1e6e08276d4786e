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
  if (a7 && a7) {
    return a8;
  }
  return '3.25'.charCodeAt(a9);
}
var n10 = "wV5HDs\r".indexOf('1', 2);
Response.Write((n10 == ((10 - 0.25) % (-3))) + "\n");
var b11 = 'one two'.charCodeAt(10) > (n10 - (n10 % n10));
n10 -= n10;
n10 *= n10;
var b12 = (n10 + 0x1F) != n10;
n10 -= 33353;
var n13 = n10;
var n14 = 9566;
var n15 = n14 % ('0x1F' - 1);
var o16 = new P1(n10, f6(false, 2, 63995));
o16.w = n13;
o16.label = ('world' + false) + ('mIxEd' > 'delta');
o16.label = '?o_##h:Q';
var s17 = 'nApGnEd' + (typeof ('Beta' + n10));
n13 *= n10;
Response.Write((Math.min(n15, 0x1F + 16) > (("f22Nd" + n15) * 2)) + "\n");
var s18 = s17;
var b19 = b11;
