function f1() {
  Response.Write('.5' + "\n");
  return '12'.lastIndexOf('ab', 7) * '7JU'.lastIndexOf('o', -3);
}
var s2 = "a-b-c".replace("ab", "o") + ('C?0x' + (0.2 % 6));
Response.Write(((eval("0") * (-3)) % (Math.atan2(8, 10) + " 7 ".lastIndexOf("x"))) + "\n");
var o3 = new Object;
o3.label = String.fromCharCode(111);
o3.total = 5;
var b4 = false;
Response.Write('5.' + "\n");
if (!(75313 > 12)) {
  var n5 = 9247;
}
var d6 = new Date(Date.UTC(1992, 7, 27, 17, 55, 50, 671));
d6.setUTCMinutes(26);
n5--;
