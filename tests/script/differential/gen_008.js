function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4() {
  if (false) {
    return parseFloat("3.25");
  }
  return "mIxEd".indexOf('b') - 4;
}
Response.Write('dylnLxi' + "\n");
if (isFinite(1e3) || isFinite(0.1)) {
  var d5 = new Date(1975, 10, 15, 18, 39, 26);
  d5.setUTCMonth(3);
  d5.setDate(28);
  var n6 = d5.getUTCHours() % 10;
  Response.Write(n6 + "\n");
} else {
  Response.Write(Math.tan(4) + "\n");
}
var d7 = new Date(2043, 10, 3);
d7.setUTCHours(20);
d7.setUTCMonth(9);
var o8 = new Object();
o8.p = n6 % 1e3;
var b9 = Math.max(eval("3"), 0.25) < Math.pow(n6, 6);
var o10 = new P1(o8.p, "dOG4W!".indexOf('a'), 'Lr0#Yg8' + '  15');
o10.label = "3.25".toLowerCase();
o10.label = "QxjF:6" + '60K7zMq'.substring(8);
var s11 = '' + "E";
n6++;
