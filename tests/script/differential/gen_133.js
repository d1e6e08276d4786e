function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
var d4 = new Date(Date.UTC(2008, 2));
d4.setUTCSeconds(63);
Response.Write((12 == d4.getTime()) + "\n");
var n5 = -"world".charCodeAt(-2);
if ("-0" == n5) {
  var b6 = isNaN(n5);
  var b7 = isNaN(d4.getUTCHours()) && ((typeof 'world') === 'x'.slice(8));
  var b8 = isNaN((16637 / n5) / d4.getUTCMilliseconds());
}
var d9 = new Date(Date.UTC(2007, 2, 12, 17, 40, 53));
d9.setUTCSeconds(30);
d9.setMonth(2);
Response.Write(4 + "\n");
