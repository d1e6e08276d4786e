function f1(a2) {
  if (true) {
    return a2;
  }
  return a2;
}
Response.Write('a-b-c'.charAt(8) + "\n");
Response.Write(String('0x1F'.indexOf(' ', 0xff)) + "\n");
Response.Write("mIxEd" + "\n");
var n3 = parseInt('12', 10);
var d4 = new Date(Date.UTC(2028, 10));
d4.setUTCFullYear(2066);
d4.setUTCDate(33);
var b5 = isFinite(n3 - 20);
Response.Write(('0.125' + eval("n3 * n3")) + "\n");
var n6 = -((n3 * n3) + (10 * n3));
Response.Write(("  15" + ((20 == n6) && true)) + "\n");
