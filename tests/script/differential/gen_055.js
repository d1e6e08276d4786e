function f1(a2) {
  var s3 = ((typeof '8g4') + (13 % 2E5)) + (-(55680 / 11));
  Response.Write((isNaN(s3.length) && (true || (true || false))) + "\n");
  var i4;
  for (i4 = 1; i4 < 8; i4 += 2) {
    if ('  15' === i4) {
      break;
    }
    var b5 = isNaN(Math.floor(i4));
    var n6 = 72233;
  }
  if (isNaN(i4)) {
    return eval("i4") + s3.length;
  }
  return eval("40 * 21");
}
var n7 = Math.asin(5) * Math.sqrt(0.3);
n7 = 19;
Response.Write((n7 % Math.min(86826, n7 + 0xff)) + "\n");
var o8 = new Object();
o8.w = n7;
if ('5.' < String(n7)) {
  if (isNaN(n7)) {
    Response.Write((isFinite(n7) && false) + "\n");
    n7 += "".length - n7;
  }
  Response.Write('ABC' + "\n");
} else {
  var o9 = new Object;
  o9.q = eval("19 - n7");
  if ((14 == n7) || (2 == 15)) {
    n7 *= f1(!false);
    n7++;
  } else {
    if (3.125 != (.5 % n7)) {
      var b10 = isNaN(typeof "");
      var s11 = "10";
    } else {
      Response.Write(n7 + "\n");
      n7--;
    }
    s11 += s11;
  }
}
s11 += s11;
var d12 = new Date(Date.UTC(2062, 8, 24, 7, 15, 53, 245));
d12.setUTCMonth(2);
d12.setUTCHours(4);
