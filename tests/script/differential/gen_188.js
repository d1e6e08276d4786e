function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4, a5) {
  this.x = a3;
  this.y = a4;
  this.name1 = a5;
}
function f6(a7) {
  Response.Write(("0x1F" !== Math.atan2(10, 0.3)) + "\n");
  Response.Write(((a7 - (a7 + a7)) === a7) + "\n");
  return (" 7 " + true) + Math.asin(a7);
}
function f8(a9, a10, a11) {
  if (!true) {
    return -parseInt('5.', 10);
  }
  return 19;
}
var d12 = new Date(Date.UTC(1993, 2, 23, 19, 59, 18, 585));
d12.setUTCFullYear(1975);
d12.setUTCSeconds(70);
var b13 = isFinite('a-b-c'.replace("-", "o")) && ((typeof ".5") <= 'l8xeIEs9'.toLowerCase());
if ('sk3HEQE' === "oS2T6".replace(" ", '[]')) {
  var n14 = f8(d12.valueOf(), "1e3", '3.25');
  Response.Write((("7fffffff" > Math.abs(n14)) || (n14 === (8056 + n14))) + "\n");
} else {
  n14 -= eval("n14 + 42");
}
var n15 = Math.ceil(0x1F) + eval("11");
var n16 = Math.atan2('5.'.length, Math.pow(Math.round(n14), 3));
Response.Write(((d12.getUTCHours() - (n16 * n16)) % (parseFloat("abc") + 'Hello'.charCodeAt(1))) + "\n");
if (true) {
  var b17 = !b13;
} else {
  if ((n16 == n14) || (true && b13)) {
    n14 = n16;
    var b18 = (d12.getUTCHours() - n15) !== f8(0.25 - 41397, String(2E5), "V0saAGk".toUpperCase());
  } else {
    n15++;
  }
  n14 = 'ff'.indexOf("A") % 0.3;
}
var d19 = new Date(Date.UTC(2091, 8, 4, 1, 43));
d19.setUTCMinutes(54);
d19.setUTCSeconds(49);
if (isNaN(n15)) {
  n16 *= 2;
  var b20 = b17;
  var n21 = "abc".length;
} else {
  Response.Write(((!(n15 < 99.99)) && ((!true) && isNaN("Beta"))) + "\n");
  n21 = n15;
}
Response.Write('iXBM' + "\n");
Response.Write('mIxEd'.slice(Math.acos(n15), 8) + "\n");
Response.Write(9 + "\n");
var b22 = false && ("7fffffff" >= d12.getTime());
var s23 = '';
s23 = s23;
var n24 = Math.pow(n21, -1);
