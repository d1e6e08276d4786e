function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5(a6, a7) {
  Response.Write(((('' + false) + (false && false)) >= ("3.25".substring(-3) + a6)) + "\n");
  if (0 < a6) {
    return "gamma".toLowerCase();
  }
  return '42abc';
}
function f8() {
  var n9 = Math.SQRT2;
  return 'one two'.substring(3) + 'hWx2Wri9'.charAt(10);
}
function f10(a11) {
  if (isFinite(a11) || isFinite(0.001)) {
    var b12 = ("znl6j.!U" + a11) === (a11 + 1e3);
    var b13 = 2 >= (-5);
    var n14 = 5 * 17;
  }
  Response.Write(n14 + "\n");
  return 'Gz3y1.N'.substring(5);
}
Response.Write('y:'.toUpperCase().length + "\n");
var d15 = new Date(Date.UTC(2058, 11));
Response.Write(9 + "\n");
var n16 = 18;
var s17 = String.fromCharCode(122, 87, 91);
var n18 = 2E5 - ((40238 / 0.001) + (19 / n16));
Response.Write((n18 <= Math.floor(eval("13"))) + "\n");
var s19 = s17;
var n20 = n16;
var d21 = new Date(Date.UTC(1971, 5, 27, 17, 5, 19, 189));
d21.setUTCMonth(0);
d21.setUTCMinutes(3);
if (isNaN(s19) && (2 === n18)) {
  Response.Write(n18 + "\n");
} else {
  s17 += s17;
  s17 = s19.toUpperCase();
}
Response.Write((n16 + d15.getUTCMinutes()) + "\n");
var d22 = new Date(1999, 7, 25, 2, 22, 13);
d22.setUTCFullYear(2075);
Response.Write((eval("n16") == n16) + "\n");
