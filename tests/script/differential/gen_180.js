function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4() {
  var i5;
  i5 = 3;
  while (i5 < 5) {
    var s6 = "u?vF.".toUpperCase();
    i5++;
  }
  return 9;
}
var b7 = false;
var b8 = '.5' !== eval("48 * 23");
var o9 = new P1(9, 15, 'zz' + 11);
o9.total = -11;
var d10 = new Date(Date.UTC(2028, 10, 19, 0, 59, 34));
Response.Write(d10.getUTCMinutes() + "\n");
Response.Write(('  15' + ('JE'.toUpperCase() <= ("1e3" + 'c7#HKHZ'))) + "\n");
var n11 = d10.getHours();
n11--;
Response.Write(isFinite(0.25) + "\n");
Response.Write('2P1U7' + "\n");
