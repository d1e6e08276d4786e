function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
Response.Write((String.fromCharCode(87, 93, 111) + 98038) + "\n");
Response.Write(String.fromCharCode(88, 66, 109) + "\n");
var o3 = new P1(12 % 32564, 87807 * 16985);
o3.w = Math.acos(1533 / 0.5);
var s4 = "1e3";
var n5 = 0.5 + 87982;
Response.Write(isFinite(eval("30 * 0")) + "\n");
