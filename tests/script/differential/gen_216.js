function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
var d5 = new Date(2028, 6, 14);
d5.setUTCHours(25);
var s6 = (String.fromCharCode(83, 79) + (8 >= 18)) + true;
Response.Write(false + "\n");
var d7 = new Date(3810934586000);
d7.setUTCMonth(9);
d7.setMonth(6);
Response.Write(' 7 ' + "\n");
Response.Write(String.fromCharCode(68, 77).charCodeAt(6) + "\n");
var b8 = '3.25' !== 7;
var b9 = isFinite("x".charCodeAt(11));
Response.Write(b9 + "\n");
