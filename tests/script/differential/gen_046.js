function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5, a6, a7) {
  Response.Write(Math.atan2(parseInt("-3.5", 10), -'Beta'.charCodeAt(-3)) + "\n");
  a6--;
  return 18;
}
var o8 = new P1(f4(false, 19, 'alpha'), 3 - 17, typeof 'zz');
o8.label = "dlC5yMB";
o8.q = f4(false, 99.99 * 10, "0x1F" + 1e3);
var n9 = f4(true && false, 65962, '.5') / f4(isNaN("V2gEX"), 1.5e-4, "gamma" + "eiFbtSP!");
Response.Write((n9 - Math.abs(n9)) + "\n");
var s10 = "lNVDda";
Response.Write((Math.ceil(n9) < o8.label.lastIndexOf('1', 12)) + "\n");
Response.Write(('x'.replace('ll', "__") + ((n9 != n9) || (!true))) + "\n");
Response.Write(n9 + "\n");
Response.Write(Math.max((n9 - n9) - Math.pow(n9, 12), f4(false, n9, s10) + n9) + "\n");
