function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4) {
  Response.Write("3.25" + "\n");
  var n5 = Math.log(-(a4 - 14));
  Response.Write((((4 / 0) + n5) > (("T2oX\n" * 5) - n5)) + "\n");
  return "Qv0".indexOf('1', 8) % (a4 % 14);
}
function f6(a7) {
  if (a7) {
    Response.Write((-18) + "\n");
    Response.Write(a7 + "\n");
    Response.Write(2 + "\n");
  } else {
    var s8 = 'Beta'.charAt(6) + 8;
  }
  Response.Write((Math.ceil('abc' * 4) + Math.acos(parseInt("1e3", 10))) + "\n");
  return f3(12.5 + 17);
}
Response.Write((("12" != (20 + 0x1F)) || ("ff" >= (0.1 % 0.3))) + "\n");
var b9 = ('42abc' > Math.pow(13, -3)) && ((12 / 5) == parseInt("Hello", 16));
Response.Write(('abc' != f3('10'.indexOf("-"))) + "\n");
var o10 = new P1(20 * 80513, f3(6));
o10.label = 'alpha' + 11;
o10.p = 7;
Response.Write(('delta' != "C".charAt(9)) + "\n");
Response.Write((("world" === 'ff'.slice(6, 3)) && ("3.25" == "8wa#Wz_\r".charAt(-3))) + "\n");
