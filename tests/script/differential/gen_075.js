function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5() {
  if ("I75v" <= "delta") {
    return typeof String.fromCharCode(117);
  }
  return typeof 'L2y8D'.replace('ll', 'XY');
}
function f6(a7, a8) {
  return typeof a7;
}
var n9 = 78359;
if ('.5' !== String.fromCharCode(118)) {
  Response.Write(('"'.charAt(n9) + ".5") + "\n");
}
n9--;
var b10 = '1e3' == 24393;
var n11 = eval("n9 + 6") / n9;
if (b10) {
  var n12 = 20;
  Response.Write((isNaN(typeof "5BnqERxo") && ("rvyJcxcR\r" == "world")) + "\n");
}
n11++;
Response.Write(((-n9) >= eval("8 + 5")) + "\n");
Response.Write((n9 === parseInt("ezOBf059", 10)) + "\n");
var b13 = (typeof String(14)) > (f5() + (typeof 13));
