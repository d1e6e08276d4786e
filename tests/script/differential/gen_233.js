function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
var d3 = new Date(775820222000);
d3.setUTCMinutes(11);
var n4 = d3.getUTCMilliseconds();
var s5 = "ff";
if (true && isNaN("PjM NVr\n")) {
  var d6 = new Date(Date.UTC(2063, 7, 8, 11, 41));
  var s7 = s5;
}
var b8 = n4 === s5.toLowerCase().length;
if (true) {
  Response.Write(' 7 '.toUpperCase() + "\n");
  var b9 = isNaN(s5.substring(n4));
} else {
  var n10 = n4;
  var n11 = Math.atan2(Math.pow(4, n10), Math.SQRT1_2);
}
