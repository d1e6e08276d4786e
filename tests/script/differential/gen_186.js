function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
var b4 = (parseInt("-3.5", 10) + (0.1 * 0.3)) !== 9;
var s5 = "mIxEd".slice(1.5) + (!isFinite(1));
var n6 = ((13 * 19) / (13 / 20)) - 13011;
Response.Write((String(n6).indexOf('b') <= n6) + "\n");
Response.Write(('3.25' >= ("10".lastIndexOf('1') % eval("n6"))) + "\n");
Response.Write(isNaN(s5) + "\n");
Response.Write((!((false || true) && isNaN(20))) + "\n");
var o7 = new P1(Math.min(n6, 32531), n6, ':t'.replace("ll", ''));
o7.total = n6 + n6;
o7.q = -(-n6);
o7.w = s5.length;
var s8 = "";
s8 = s5;
Response.Write(n6 + "\n");
var b9 = false || false;
