function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4) {
  var s5 = "R3".replace("a", '');
  var i6;
  for (i6 = 0; i6 < 4; i6++) {
    if (true) {
      continue;
    }
    Response.Write(s5 + "\n");
    if (!true) {
      break;
    }
    var n7 = i6;
  }
  var n8 = i6;
  return n7;
}
Response.Write((!(50181 !== (-15))) + "\n");
var b9 = '  15' > 14;
var b10 = true;
var b11 = 0.3 !== 88565;
Response.Write(b10 + "\n");
var n12 = 2.75;
Response.Write("  15".substring(Math.exp(n12), 40735) + "\n");
var s13 = 'gamma'.replace("ab", "o");
Response.Write(eval("22") + "\n");
