function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3() {
  var b4 = true;
  Response.Write(("J8F8" + "0x1F".substring(0.001)) + "\n");
  if (6 === 4) {
    return String(8);
  }
  return '#ZfR' + Math.sin(17);
}
function f5(a6, a7, a8) {
  if (false) {
    return parseInt("Beta", 10);
  }
  return Math.abs(10 - a8);
}
if (isFinite(eval("48"))) {
  var n9 = 18;
} else {
  var n10 = 'gamma'.indexOf("1");
}
Response.Write('12'.toLowerCase() + "\n");
n10 = n10;
var n11 = "0x1F".lastIndexOf('1', Math.pow(n9, -3));
if (isFinite('alpha'.slice(-2, 8))) {
  n11 += 54452;
}
n11++;
var d12 = new Date(Date.UTC(2012, 10, 23, 5, 13, 25));
n10 += d12.getTime();
