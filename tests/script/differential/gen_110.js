function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
var d3 = new Date(1978, 2, 26, 23);
d3.setUTCFullYear(2038);
var n4 = "zz".lastIndexOf('l');
n4++;
var o5 = new P1(n4 - n4, n4 - n4);
o5.p = n4;
o5.p = 17 + (n4 + 4);
var o6 = new P1(n4, 0.25 % n4);
o6.w = 'Hello'.replace(" ", '-').length;
o6.total = n4;
n4 -= o6.y;
Response.Write(n4 + "\n");
var b7 = true;
if ("delta" > (typeof n4)) {
  var i8;
  for (i8 = 1; i8 < 7; i8 += 2) {
    var s9 = "ff" + ((!true) || (n4 !== 12.5));
    Response.Write((o6.w == ((-0) / (-n4))) + "\n");
  }
  Response.Write((10 % d3.getDate()) + "\n");
}
if (isNaN(eval("21"))) {
  Response.Write("x0Lny_" + "\n");
}
n4++;
var s10 = s9;
var b11 = b7;
