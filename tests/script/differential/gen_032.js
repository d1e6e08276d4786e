function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5, a6) {
  var s7 = "7ujdVXRD";
  if (false) {
    var s8 = String(s7.length);
    Response.Write(0 + "\n");
    Response.Write(((s8 + Math.asin(20)) + 0) + "\n");
  } else {
    Response.Write(s8.length + "\n");
    var s9 = s8;
  }
  Response.Write(s7.substring(6 + 12, 'x'.length) + "\n");
  return s8.toUpperCase();
}
function f10(a11, a12) {
  Response.Write(27708 + "\n");
  return a11;
}
function f13(a14) {
  Response.Write(35657 + "\n");
  Response.Write((!((' 7 ' - 5) !== Math.tan(1.5))) + "\n");
  return a14.replace("ll", "__");
}
var o15 = new P1(Math.atan(15), "007" * 5, "");
o15.q = 16;
o15.label = "gQw6Sy";
o15.p = eval("41") / (6 + 7);
var o16 = new P1(0.5, 8, "gamma");
o16.q = 18;
if ("-0" <= 16) {
  Response.Write((11 + 4) + "\n");
  var s17 = (('HJVEv' + 93754) + (false && true)) + isNaN(0xff);
  var s18 = "Lo7F5 r3".toUpperCase();
} else {
  if (true) {
    Response.Write((f13(s18).length <= 9) + "\n");
    var i19;
    for (i19 = 2; i19 < 8; i19++) {
      Response.Write((s17.toLowerCase() + false) + "\n");
      var b20 = isFinite(i19);
      s17 = "8bs";
    }
  }
}
if (isFinite(String.fromCharCode(101))) {
  if (i19 <= i19) {
    Response.Write(false + "\n");
  }
  Response.Write((f10('.5'.charAt(-2), i19 > 5) + ('  15' == 0)) + "\n");
} else {
  Response.Write((s17 + isNaN('x')) + "\n");
}
if ("0x1F" <= o16.x) {
  Response.Write((i19 * (-o16.q)) + "\n");
  var o21 = new Object();
  o21.label = "3.25" + i19;
  o21.q = i19 + 4;
  var i22;
  i22 = 2;
  do {
    var i23;
    i23 = 3;
    while (i23 < 9) {
      Response.Write(s18 + "\n");
      var b24 = true;
      s18 += "Y".toLowerCase();
      i23 += 2;
    }
    s18 += (s18 + '') + i22;
    var i25;
    for (i25 = 0; i25 < 6; i25++) {
      var n26 = 4;
    }
    i22++;
  } while (i22 < 6);
}
var d27 = new Date(Date.UTC(2031, 6, 26, 13, 53));
d27.setUTCDate(21);
var d28 = new Date(Date.UTC(1978, 2, 6, 10, 29, 32));
d28.setUTCDate(10);
d28.setUTCDate(7);
