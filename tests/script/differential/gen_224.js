function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5(a6) {
  if (a6 || a6) {
    return -13;
  }
  return (-3.125) % "delta".charCodeAt(0);
}
function f7() {
  if (isFinite("42abc")) {
    var n8 = 1.5e-4;
    Response.Write(false + "\n");
  }
  var s9 = '1e3';
  if (isFinite(n8)) {
    return 12.5;
  }
  return 65291;
}
function f10(a11) {
  var b12 = "BAqX".slice(3, 6) < a11.slice(7, -3);
  return a11;
}
if (isFinite(String(4660))) {
  if (true) {
    var b13 = true;
    var n14 = 'abc'.indexOf(' ');
  }
} else {
  Response.Write(15 + "\n");
}
var b15 = 0.001 > 0.2;
var s16 = String.fromCharCode(82) + "zz".charAt(11);
var n17 = Math.max(Math.abs(n14), n14);
Response.Write(((isFinite(0x1F) && (10 !== 3)) && (s16.charAt(0) != (typeof 18))) + "\n");
var o18 = new Object;
o18.w = n17;
