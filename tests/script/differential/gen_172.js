function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
var b3 = !false;
var d4 = new Date(1390484489000);
d4.setUTCFullYear(2045);
d4.setUTCMinutes(21);
Response.Write((((34983 - 8) == "o88N\r".length) && (!b3)) + "\n");
var n5 = 17;
Response.Write(((parseInt('Beta', 16) % n5) % d4.getUTCHours()) + "\n");
Response.Write((('kHDsBg' + n5) + eval("50 - 16")) + "\n");
n5 *= -eval("n5");
n5 *= String.fromCharCode(103, 94, 71).charCodeAt(1);
