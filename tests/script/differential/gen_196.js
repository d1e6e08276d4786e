function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5) {
  this.x = a4;
  this.y = a5;
}
function f6(a7, a8, a9) {
  return ".Zl-I" + (typeof 9);
}
function f10(a11, a12) {
  var n13 = 15;
  if (false) {
    var n14 = "Nqd7O4D".length;
    Response.Write((a11.replace("ab", "__") === '.5') + "\n");
  }
  return n13;
}
var b15 = (eval("17") % (44344 * 16)) === ((12.5 % 0.2) + "1e3".indexOf("A", -2));
var n16 = String('mht:sxRD'.charCodeAt(-2)).length;
var s17 = f6((n16 + 0.25) * 'abc'.length, !("-0" < 2E5), "SukT" !== ('world' + b15));
n16++;
Response.Write(s17.toUpperCase() + "\n");
Response.Write((n16 == n16) + "\n");
var d18 = new Date(2913359040000);
d18.setMonth(2);
d18.setUTCHours(26);
n16 = f10(s17, '-3.5' < 0.25);
var n19 = n16;
Response.Write((n16 !== (Math.max(2, 0.001) - parseFloat(".5"))) + "\n");
Response.Write(n19 + "\n");
var d20 = new Date(2036, 8, 25, 6, 7);
d20.setUTCHours(16);
