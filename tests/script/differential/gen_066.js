function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4) {
  var i5;
  i5 = 1;
  while (i5 < 7) {
    if ("0x10" == 5) {
      break;
    }
    i5++;
  }
  var n6 = Math.LOG10E;
  return (i5 - 64977) + (0.1 / n6);
}
var b7 = '  15' > 12;
Response.Write((((0x1F - 66704) <= (7 * 0.5)) || false) + "\n");
var b8 = eval("18") != (-(14 * 1e3));
var o9 = new P1(16 + 1.5, 1.5e-4 + 98816);
o9.p = (5 * 14) * '3.25'.indexOf('-', 12);
o9.w = (-2E5) + 1e3;
o9.label = '-3.5' + '  15';
Response.Write(o9.label + "\n");
var s10 = "255";
