function f1(a2, a3, a4) {
  Response.Write((String(Math.sqrt(a2)) == a3.slice(1, -1)) + "\n");
  if ((false && false) && (false || false)) {
    Response.Write((('ABC'.length + '\''.indexOf("b")) + a2) + "\n");
    Response.Write(((String.fromCharCode(106) + (' 7 ' == 14)) <= (typeof a3)) + "\n");
  }
  var b5 = a2 > a2;
  return a2;
}
var d6 = new Date(2079, 0, 20, 15, 6, 53);
d6.setUTCFullYear(2085);
var d7 = new Date(2097, 7, 11, 5);
d7.setDate(16);
var d8 = new Date(Date.UTC(2065, 5, 2, 20, 28));
Response.Write(20 + "\n");
var s9 = String("ff".lastIndexOf('A')) + 'dbk\n';
var o10 = new Object;
o10.w = Math.round(1.5e-4) + s9.length;
o10.w = (1 % 82931) % 0x1F;
