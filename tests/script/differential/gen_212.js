function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
Response.Write(('12'.indexOf('-') - '4q'.length) + "\n");
if (true) {
  var s4 = "q!?";
} else {
  var d5 = new Date(Date.UTC(1988, 2, 23));
  d5.setUTCHours(23);
  var s6 = s4;
}
var n7 = .5;
var o8 = new Object;
o8.p = 9 + (19 / n7);
Response.Write((n7 + (-n7)) + "\n");
var d9 = new Date(Date.UTC(2093, 0));
d9.setUTCFullYear(2031);
var n10 = s4.lastIndexOf("-", 11 / n7);
if (!('1.5e-3' == 11)) {
  Response.Write(isFinite(n7) + "\n");
}
Response.Write((('0x10' == o8.p) && ('1e3' > (n10 / n7))) + "\n");
