function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4, a5, a6) {
  if (("AbCdEf" + 'q!?') !== "delta") {
    Response.Write((((a5 || a5) && (a6 >= a6)) && ('255'.charCodeAt(1) <= a4)) + "\n");
    a4 = a4;
    Response.Write((!(("5." != 'one two') && (a5 && a5))) + "\n");
  }
  var i7;
  for (i7 = 0; i7 < 7; i7 += 2) {
    if ("vMhxV" >= 'hDaDfG.') {
      continue;
    }
    Response.Write(a5 + "\n");
    var n8 = i7;
    a6 *= (i7 + 1) / 14;
  }
  Response.Write(('vUc9\\' + "ff") + "\n");
  if (isNaN(n8)) {
    return typeof "lSBXx1".replace("ab", "o");
  }
  return "1W".toLowerCase() + '0.125';
}
Response.Write(12 + "\n");
var n9 = Math.LOG2E;
n9 = n9 * 14;
var d10 = new Date(Date.UTC(2008, 2, 8, 9, 37));
d10.setUTCHours(7);
var n11 = "zz".toUpperCase().charCodeAt(10);
Response.Write('5.' + "\n");
Response.Write('12' + "\n");
