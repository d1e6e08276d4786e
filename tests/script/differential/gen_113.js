function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
Response.Write(false + "\n");
var o5 = new P1(3.125, 'ff'.length);
o5.q = -eval("47");
o5.w = '0.125'.length;
var b6 = "3.25" <= ((-0.001) + o5.q);
var b7 = b6;
var n8 = .5;
var n9 = n8 - n8;
var d10 = new Date(1093205201000);
d10.setUTCDate(11);
var d11 = new Date(Date.UTC(1983, 7, 8, 9));
d11.setMonth(7);
d11.setUTCFullYear(2089);
Response.Write((d10.getUTCDay() + n9) + "\n");
var b12 = '3.25' != 'Hello';
var s13 = String.fromCharCode(115) + (typeof "S3Z".replace('ab', 'o'));
var s14 = s13;
s14 += s13 + ('+8' - 1);
s14 = s13 + n8;
