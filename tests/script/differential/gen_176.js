function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5, a6) {
  if (false || a5) {
    return 8 + ("QUxa1\r" - 4);
  }
  return a6;
}
Response.Write((((14 == 0.3) || (true || true)) || isNaN("sVsI".lastIndexOf("-"))) + "\n");
var d7 = new Date(Date.UTC(1979, 7));
d7.setUTCSeconds(66);
d7.setUTCSeconds(27);
var s8 = String(0x1F);
s8 += 'mxz"';
var s9 = s8 + ((" 7 " * 4) + (9 + 7));
Response.Write(((s8.charCodeAt(0) <= Math.sin(20)) || (("AbCdEf" <= '3.25') && (true && false))) + "\n");
var n10 = eval("12");
var s11 = 'Zmmzyc\\';
if (isFinite('v6UEvNXb')) {
  Response.Write((d7.getUTCHours() != n10) + "\n");
  var n12 = d7.getUTCMinutes();
  var n13 = 3.125;
}
Response.Write("" + "\n");
