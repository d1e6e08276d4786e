function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5) {
  this.x = a4;
  this.y = a5;
}
function f6() {
  Response.Write(("e" + ('-0' >= Math.atan2(3, 13))) + "\n");
  var s7 = String.fromCharCode(72);
  Response.Write(true + "\n");
  return s7.toUpperCase();
}
function f8(a9, a10) {
  var n11 = "".charCodeAt(8) - a10.length;
  Response.Write(isNaN(n11) + "\n");
  if ((a10 !== a10) || (a10 != a10)) {
    var b12 = 3.125 < n11;
    Response.Write(a10 + "\n");
    var b13 = isFinite(n11);
  } else {
    Response.Write(a9 + "\n");
    a10 = ("mIxEd" + n11) + isFinite(n11);
  }
  if (!a9) {
    return (n11 + 5) - ('+8' * 2);
  }
  return n11;
}
function f14() {
  var n15 = -35961;
  if (true || false) {
    return String.fromCharCode(78, 73);
  }
  return "qnnthJiJ" + (true || false);
}
if ("ff" != 'rn_-') {
  var d16 = new Date(2013, 3);
  d16.setDate(9);
  var n17 = f8('42abc' != Math.sqrt(14), typeof "IbPFNE!");
}
var s18 = 'abc' + (f14() + (true || true));
var o19 = new P1(n17 + n17, f8(true, s18), s18);
o19.total = Math.log(0 + n17);
var o20 = new P1(12.5, parseInt('0x1F', 10), s18);
o20.w = eval("n17");
o20.w = o19.x;
o20.q = 0x1F;
Response.Write((('12' < (0.5 + n17)) && (d16.getMonth() !== (n17 + 12.5))) + "\n");
var s21 = "QKs";
Response.Write(("0x1F" !== ((n17 * n17) * f8(true, s18))) + "\n");
Response.Write((!('5.' == f6())) + "\n");
var d22 = new Date(2002, 11, 15, 9, 49);
var n23 = String(n17).charCodeAt(4);
Response.Write(String.fromCharCode(102, 105, 78) + "\n");
