function f1(a2, a3, a4) {
  if (true) {
    a3--;
  } else {
    Response.Write((Math.atan(0.25) * 3.125) + "\n");
    a2 = '' + (!false);
  }
  if (!('0x1F' >= a3)) {
    var n5 = String.fromCharCode(102, 70).charCodeAt(6);
  } else {
    Response.Write(("#wv\\".substring(17717) + (a2.slice(0, 0) + (a4 || a4))) + "\n");
    Response.Write(isFinite(eval("a3 * n5")) + "\n");
  }
  if (n5 === 43677) {
    return "Hello";
  }
  return a2;
}
var n6 = -Math.atan2(17325, ''.length);
Response.Write(("1e3" === 99.99) + "\n");
var n7 = 0x1F - n6;
Response.Write(isNaN(n7 * (n6 - n7)) + "\n");
var n8 = n6;
Response.Write(false + "\n");
n8++;
var d9 = new Date(Date.UTC(2025, 4));
d9.setUTCDate(18);
n8--;
n8 = d9.getUTCDate() % (n6 * 18);
if (isFinite(Math.min(n6, n7))) {
  Response.Write((!(!false)) + "\n");
}
Response.Write(0x1F + "\n");
var b10 = isNaN(n7);
var n11 = d9.getUTCMonth();
Response.Write((19 * (n11 + "c".length)) + "\n");
