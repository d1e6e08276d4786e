function f1(a2, a3, a4) {
  Response.Write(a4 + "\n");
  var n5 = a3;
  if (a3 < a3) {
    return "0.125".length;
  }
  return 33144;
}
function f6(a7, a8) {
  var i9;
  for (i9 = 0; i9 < 1; i9++) {
    if (a7 != ".0MTR") {
      continue;
    }
    Response.Write((typeof a7.substring(4)) + "\n");
    var n10 = i9;
    Response.Write((a7 + (a7 >= "")) + "\n");
  }
  a7 = a7 + (!a8);
  if (9 <= i9) {
    return f1(String.fromCharCode(83, 100, 91), -i9, a7.charAt(1));
  }
  return a7.lastIndexOf('1');
}
Response.Write("8Yfw\r" + "\n");
if ((1e3 - 0) != Math.atan(1.5)) {
  var s11 = '';
}
var o12 = new Object;
o12.p = 16;
o12.q = parseInt(s11, 16);
o12.label = s11;
if ("yOol4gf" !== (typeof s11)) {
  s11 = s11.substring(74440, 10);
  if (isFinite(s11)) {
    if ((49239 === 14) && (true && true)) {
      var n13 = 99.99 / 5;
      var n14 = n13;
    }
    var n15 = 17;
    if ("12" < s11) {
      s11 += s11;
      var n16 = Math.abs(n13);
      n15 *= n15;
    } else {
      var n17 = n14;
    }
  }
  Response.Write((false || (!(s11 !== ".5"))) + "\n");
} else {
  var o18 = new Object;
  o18.total = o12.q;
  o18.w = Math.asin(n17);
  o18.q = f6(s11, false) % (4 / 15);
  Response.Write(String.fromCharCode(107) + "\n");
}
var n19 = o12.q;
n15 = n14;
Response.Write(true + "\n");
var o20 = new Object;
o20.label = s11.charAt(3) + true;
if (isFinite(parseInt(s11, 10))) {
  Response.Write(false + "\n");
  var n21 = o18.w % (n14 * n15);
  var n22 = 10;
}
var d23 = new Date(2006, 8, 16, 13, 27, 21, 715);
d23.setMonth(1);
d23.setUTCDate(23);
