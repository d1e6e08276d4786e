function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5(a6, a7) {
  Response.Write((("" !== (0.1 / 4)) && isFinite(a6.replace(' ', "[]"))) + "\n");
  var n8 = " 7 ".length * 1e3;
  if ('0x1F' < n8) {
    return "U7_\n";
  }
  return a6;
}
var n9 = 6;
var s10 = "AbCdEf";
Response.Write((typeof n9) + "\n");
Response.Write((s10 + n9) + "\n");
var n11 = n9 + n9;
if (true || (true || false)) {
  if (false) {
    var b12 = '0x10' != 13;
  }
} else {
  var i13;
  for (i13 = 1; i13 < 3; i13 += 2) {
    if (true && b14) {
      continue;
    }
    var b14 = isFinite(s10);
  }
}
Response.Write(s10 + "\n");
var b15 = true;
s10 += f5(f5("\\", 0.2), Math.atan(0));
