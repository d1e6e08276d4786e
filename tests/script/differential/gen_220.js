function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5(a6) {
  if (false || false) {
    return String.fromCharCode(67, 116);
  }
  return a6 + "";
}
function f7(a8, a9, a10) {
  var i11;
  i11 = 0;
  while (i11 < 2) {
    if (true) {
      break;
    }
    Response.Write(((Math.tan(a10) - eval("43")) / a10) + "\n");
    i11 += 2;
  }
  return f5('ff');
}
var s12 = "zz";
s12 += s12.substring(7) + (typeof 10);
Response.Write(s12 + "\n");
s12 = String.fromCharCode(82, 118, 80);
if (false || (false && true)) {
  if (isFinite(7) || (!false)) {
    if (true) {
      var n13 = 5 * ''.charCodeAt(-3);
      var b14 = true;
    }
    Response.Write(s12.charAt(Math.min(2.75, n13)) + "\n");
  }
  Response.Write(((isNaN(s12) && isFinite(s12)) || (true || b14)) + "\n");
} else {
  Response.Write(isFinite(eval("8")) + "\n");
  var d15 = new Date(79333694000);
}
var b16 = b14;
n13 = n13;
