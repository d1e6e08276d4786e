function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4, a5) {
  this.x = a3;
  this.y = a4;
  this.name1 = a5;
}
function f6(a7, a8) {
  if (true && a7) {
    return Math.abs(27462 + a8);
  }
  return "zz".replace("a", "-").indexOf("ab", 10);
}
function f9(a10) {
  Response.Write("ABC".slice(a10, a10) + "\n");
  if (a10 === a10) {
    return 5;
  }
  return parseInt('42abc', 10);
}
function f11(a12, a13, a14) {
  var i15;
  for (i15 = 1; i15 < 5; i15 += 2) {
    a12 += String(a13 + a13);
    if (17 != a13) {
      break;
    }
    Response.Write((Math.asin(a13 + 19) / ((9 % 9) + 1)) + "\n");
  }
  if ('abc' < (8 + 18)) {
    a13--;
    Response.Write((isNaN(':7-rGo' + 18) || isFinite("007" - 3)) + "\n");
  }
  if (('mIxEd' + true) != a12.replace("l", 'o')) {
    a12 = a12 + (a14 || a14);
    a13--;
  }
  return a13;
}
Response.Write('AbCdEf' + "\n");
var n16 = String.fromCharCode(119, 67).lastIndexOf("o");
Response.Write(("q!?" <= "  15".charAt(1)) + "\n");
var o17 = new Object();
o17.w = 'Beta'.indexOf('1', 0);
o17.label = "" + (-25186);
var n18 = n16;
Response.Write(n16 + "\n");
