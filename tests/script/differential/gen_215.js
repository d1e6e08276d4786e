function f1(a2, a3, a4) {
  Response.Write(a2 + "\n");
  if (false) {
    return 'world'.slice(67093);
  }
  return String(3.125);
}
Response.Write(Math.floor(0.1 * (' 7 ' - 1)) + "\n");
var n5 = 6 + eval("41");
var d6 = new Date(2021, 7, 4, 9, 50);
d6.setUTCMonth(7);
Response.Write(((("C" + n5) !== '-3.5'.replace(' ', '[]')) || false) + "\n");
Response.Write((d6.getUTCSeconds() + 9) + "\n");
var n7 = 'uFU'.length;
var d8 = new Date(Date.UTC(2021, 6, 22, 14, 15));
d8.setUTCMonth(11);
var s9 = "Hello".charAt(10);
var s10 = String.fromCharCode(66) + (!("abc" >= n5));
