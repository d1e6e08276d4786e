function f1() {
  if (isNaN(5)) {
    return String(18 - 87855);
  }
  return 'Lvs_t'.toUpperCase();
}
function f2() {
  Response.Write("'".replace(' ', '__') + "\n");
  return 'qpx'.replace(" ", "__");
}
function f3() {
  var b4 = isNaN(typeof ('  15' * 5));
  var b5 = !(!isFinite(5));
  Response.Write(f1() + "\n");
  if (isNaN('')) {
    return String(62848);
  }
  return "VhE";
}
var b6 = (true && (0.2 < 18)) && ("1e3" == 1.5e-4);
var n7 = 0.3;
var d8 = new Date(Date.UTC(2068, 4, 8, 6, 11, 47, 544));
d8.setUTCMonth(7);
var s9 = 'alpha';
var b10 = String(n7) != String(n7);
var d11 = new Date(2098, 9, 1, 10, 8, 36, 979);
d11.setUTCMinutes(10);
Response.Write(String.fromCharCode(100, 87) + "\n");
Response.Write((eval("n7 + 1") > 1.5e-4) + "\n");
var n12 = n7;
var d13 = new Date(Date.UTC(2081, 8, 12));
d13.setUTCMonth(9);
d13.setUTCMonth(2);
Response.Write(("42abc" === 15) + "\n");
