function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5() {
  return String.fromCharCode(107, 66, 82) + ("zz" != "L8E5-n");
}
var d6 = new Date(Date.UTC(2057, 5, 12, 0, 8, 28));
d6.setUTCMinutes(1);
d6.setUTCSeconds(22);
var b7 = isFinite(12 + 'BX'.length);
var n8 = 26091 * (0x1F % 14);
var s9 = 'ABC'.slice(n8 / 5);
var s10 = 'W';
Response.Write((s10 > f5()) + "\n");
var b11 = b7;
Response.Write(d6.getUTCSeconds() + "\n");
var n12 = n8;
var b13 = ((n8 === 19) && isNaN(13)) || b7;
var b14 = true;
var s15 = (s9 + false) + ((n8 < n12) || b11);
n8 = Math.LOG2E;
var d16 = new Date(Date.UTC(2097, 2, 7, 6, 26, 42));
d16.setUTCDate(30);
d16.setDate(9);
s10 += s9;
Response.Write(n12 + "\n");
