function f1() {
  Response.Write((Math.sqrt(4) - ((-1e3) % 16)) + "\n");
  return parseFloat('12');
}
function f2(a3, a4) {
  if (true || true) {
    return a4.replace(" ", '__');
  }
  return typeof a4.substring(12, 8);
}
Response.Write((('1.5e-3' >= (-47908)) || (Math.LN2 !== 13)) + "\n");
Response.Write('gamma'.toLowerCase() + "\n");
var b5 = "5." == "abc".charAt(10);
Response.Write(f2('1e3' * 1, String(eval("32"))) + "\n");
var b6 = true && ((typeof "alpha") >= 'world'.charAt(8));
var s7 = '  15';
