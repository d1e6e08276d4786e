function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
var b5 = (" 7 ".charAt(6) != '') && isNaN('SPAs');
if (b5) {
  if (true) {
    var b6 = !false;
    var n7 = "a-b-c".length;
  }
} else {
  var o8 = new Object();
  o8.total = parseInt("007", 10);
  var d9 = new Date(Date.UTC(2001, 8, 23, 12, 3));
  d9.setUTCSeconds(19);
  d9.setUTCDate(10);
}
if (isFinite('world')) {
  Response.Write(((d9.getUTCFullYear() >= Math.asin(0.5)) || ("zO -hCK" != "  15")) + "\n");
}
var s10 = "krZ?md".charAt(Math.round(7));
var n11 = s10.indexOf("l");
Response.Write((s10 === (String.fromCharCode(69, 122, 106) + isNaN(n7))) + "\n");
var n12 = n11;
Response.Write(String(o8.total) + "\n");
var s13 = s10;
