function f1() {
  return 'Hello'.replace(' ', '-');
}
var b2 = 'abc' == (0xff + 37147);
Response.Write('12'.lastIndexOf('b') + "\n");
var b3 = (("x" + 'Hello') === ("b'" + false)) && (false && true);
var d4 = new Date(2027, 4, 1, 20, 49);
d4.setDate(25);
d4.setUTCMonth(11);
Response.Write((12 === (Math.tan(13) % Math.cos(16))) + "\n");
var s5 = (f1() + "world".indexOf("l")) + ("1e3".indexOf('A') > 10);
var d6 = new Date(3895073011000);
d6.setUTCMonth(7);
d6.setUTCMinutes(32);
var d7 = new Date(Date.UTC(2090, 1, 23, 0));
s5 += f1();
var n8 = 17;
