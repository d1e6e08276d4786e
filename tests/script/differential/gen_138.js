function f1(a2, a3) {
  Response.Write('42abc'.replace("a", "XY") + "\n");
  return " R8q" + "a-b-c".charAt(1);
}
function f4(a5, a6, a7) {
  var i8;
  for (i8 = 1; i8 < 7; i8 += 2) {
    if (a7) {
      continue;
    }
    a5 = '5.'.replace(" ", "__") + (i8 / 14);
    Response.Write(isFinite(1e3) + "\n");
  }
  var i9;
  i9 = 2;
  do {
    var n10 = 84808;
    Response.Write(parseInt(a6, 10) + "\n");
    if ("1e3" == i8) {
      break;
    }
    i9 += 2;
  } while (i9 < 10);
  if (isNaN(0.5)) {
    return i8;
  }
  return n10;
}
function f11(a12) {
  a12 += -a12;
  return f4('ABC', "\\" + '0x1F', a12 == a12);
}
var d13 = new Date(741237931000);
d13.setUTCFullYear(2085);
var b14 = "12" == (d13.getFullYear() + d13.getHours());
var n15 = 'world'.indexOf("1") - Math.atan(10);
Response.Write((eval("13") !== Math.acos(n15)) + "\n");
var o16 = new Object();
o16.label = "Q_vy6";
Response.Write((".5".substring(2) + (("t7e" + 0.001) + ('-3.5' <= n15))) + "\n");
