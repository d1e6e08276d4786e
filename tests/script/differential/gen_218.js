function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5) {
  var i6;
  i6 = 2;
  while (i6 < 7) {
    if (true || false) {
      break;
    }
    var s7 = "RgHi'";
    i6++;
  }
  Response.Write(a5 + "\n");
  if (0xff == a5) {
    return i6;
  }
  return "4Z".lastIndexOf("1") - (7 % i6);
}
function f8(a9, a10) {
  Response.Write("t".toLowerCase() + "\n");
  return 'q!?'.charCodeAt(2);
}
var d11 = new Date(Date.UTC(2076, 6, 22, 13));
var s12 = '0x1F'.substring(d11.getUTCFullYear());
if (parseInt("12", 16) === (-3)) {
  if (true) {
    s12 += s12;
    var n13 = parseInt("  15", 16);
    var n14 = d11.getHours();
  }
}
var d15 = new Date(1361804316000);
d15.setUTCSeconds(43);
d15.setUTCMinutes(27);
Response.Write((typeof (s12 + String.fromCharCode(114, 105, 110))) + "\n");
var d16 = new Date(2094, 0, 7, 9, 50, 30);
d16.setUTCDate(22);
d16.setUTCSeconds(31);
