function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
Response.Write((typeof (String.fromCharCode(114, 115, 117) + "0x1F".replace('ll', 'XY'))) + "\n");
Response.Write(14 + "\n");
var n3 = "42abc".length;
var n4 = String.fromCharCode(101).length * ("x".charCodeAt(-1) * parseFloat("1e3"));
var d5 = new Date(2048, 4, 19, 8);
d5.setUTCMonth(9);
var o6 = new P1(n4 * 7, n4);
o6.total = eval("n4") % (n4 * n3);
if (String(10) != "UDRrlIX0") {
  var n7 = 22809;
} else {
  n7 = n4 + ("1e3" * 4);
}
if (true) {
  n7 = d5.getFullYear();
  Response.Write(String.fromCharCode(91, 73).lastIndexOf('o') + "\n");
  var d8 = new Date(782019683000);
  d8.setUTCMonth(4);
} else {
  if (Math.log(n7) == "5.".length) {
    var i9;
    i9 = 2;
    do {
      var s10 = "G";
      i9++;
    } while (i9 < 10);
    if (isFinite(n3)) {
      var n11 = n3;
      var b12 = true;
      s10 = s10;
    } else {
      n7 = n3;
      var b13 = b12 || (n3 != n7);
    }
  }
}
