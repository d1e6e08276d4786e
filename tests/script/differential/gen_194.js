function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5(a6, a7) {
  Response.Write(a6.slice(6, a7).charCodeAt(10) + "\n");
  Response.Write("" + "\n");
  var b8 = (!isFinite("eT")) || ((4 * a7) === Math.pow(99.99, 10));
  return 0.3;
}
function f9() {
  var n10 = 6;
  Response.Write(((true && (".5" <= n10)) && (n10 < (n10 + 0.1))) + "\n");
  return '12';
}
function f11(a12) {
  var s13 = ((typeof 18) + (19 + 5)) + a12.toUpperCase();
  var n14 = 17;
  if (isFinite("0vv8_U")) {
    return a12;
  }
  return "ff";
}
var d15 = new Date(Date.UTC(2077, 2));
var s16 = typeof f11("q!?" + true);
var n17 = f5(s16, '3.25' * 1);
var n18 = -parseInt(s16 + false, 10);
Response.Write(f9() + "\n");
Response.Write(s16 + "\n");
Response.Write((typeof s16) + "\n");
n18 = n18;
