function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5) {
  var i6;
  i6 = 0;
  do {
    a5 += a5 + (12 + 1.5);
    Response.Write(parseInt("  15", 16) + "\n");
    i6++;
  } while (i6 < 3);
  a5 = "fYpOu";
  var s7 = a5;
  return s7.replace("ab", '[]');
}
Response.Write('AbCdEf' + "\n");
var n8 = 0.1 * "C".replace("ab", '__').length;
n8 = parseInt("abc", 10);
var b9 = '1e3' > parseInt('7fffffff', 16);
n8++;
n8 += n8 - n8;
var n10 = parseFloat('  15');
