function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5, a6, a7) {
  Response.Write(a7 + "\n");
  if ("-3.5" <= a5) {
    return a5 + a5;
  }
  return Math.pow(a5, 7) * 35413;
}
var o8 = new P1(parseInt("0x1F", 10), .5, 'a-b-c');
o8.q = -2.75;
Response.Write("TAEKgB".length + "\n");
if (isFinite('1e3' + true)) {
  if (("gamma" + "q\n") < ("255" + 'world')) {
    Response.Write(isNaN("  15".replace('ab', 'XY')) + "\n");
  } else {
    Response.Write(Math.LN2 + "\n");
  }
} else {
  if (!(!false)) {
    Response.Write((11 / eval("7 - 49")) + "\n");
    var s9 = typeof 0.1;
    var b10 = (String.fromCharCode(96, 111) + f4(13, false, true)) === s9;
  } else {
    if (isFinite(o8.name1)) {
      var s11 = s9 + isFinite(17);
      s11 += (s9 + s11) + (!b10);
      var n12 = 33623;
    } else {
      Response.Write(("" * 2) + "\n");
      s11 = "O2".slice(n12, -2);
    }
    n12 = 14;
  }
}
n12 = s11.indexOf("1", n12);
var n13 = 18;
Response.Write(s11.toUpperCase() + "\n");
var n14 = (" 7 " * 4) % (-Math.min(n12, 0));
Response.Write((isFinite(s9) || isNaN(eval("n14"))) + "\n");
var d15 = new Date(2647364710000);
d15.setUTCSeconds(57);
d15.setUTCHours(25);
if (!('i9' >= s11)) {
  var b16 = ((n14 + 2) === d15.getDate()) || b10;
  if (isNaN(n14)) {
    n14 = Math.sin(o8.q);
    Response.Write('ABC' + "\n");
    Response.Write((!((!true) || (true || true))) + "\n");
  } else {
    var i17;
    for (i17 = 2; i17 < 4; i17++) {
      if (b16 || b10) {
        continue;
      }
      var n18 = eval("n12");
    }
  }
  Response.Write(isFinite(o8.x) + "\n");
}
var n19 = s11.replace("o", '-').charCodeAt(12);
n19 = s11.charCodeAt(n18);
var s20 = s11;
var n21 = eval("n13 + 15") + (d15.getUTCMinutes() / "ff".length);
