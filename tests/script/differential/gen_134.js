function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
var n3 = String.fromCharCode(122, 117, 81).length % ("mK?JKA".charCodeAt(-2) - (0xff / 89614));
Response.Write((((14 / .5) - n3) * n3) + "\n");
var o4 = new P1(Math.acos(0), eval("n3"));
o4.label = 'ff';
o4.p = n3;
n3 = "G".length;
var o5 = new Object();
o5.total = 3;
o5.label = typeof eval("31");
var d6 = new Date(2003, 9, 14);
d6.setUTCMonth(4);
d6.setUTCMinutes(33);
Response.Write(("  15" !== (n3 - (n3 + n3))) + "\n");
Response.Write(isFinite(n3) + "\n");
var s7 = ('0.125' + ('12' <= '255')) + (isNaN(n3) && ('0.125' !== '5.'));
var b8 = (s7 + n3) !== " 7 ";
var b9 = b8;
