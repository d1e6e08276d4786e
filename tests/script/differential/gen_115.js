function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4, a5) {
  this.x = a3;
  this.y = a4;
  this.name1 = a5;
}
var d6 = new Date(2084, 0, 1, 0, 58, 25);
var b7 = false;
var n8 = d6.getUTCDay();
Response.Write("ABC".toLowerCase().charCodeAt(-n8) + "\n");
var b9 = isFinite(Math.acos(n8)) || (String.fromCharCode(104, 104, 65) > String(11));
n8--;
