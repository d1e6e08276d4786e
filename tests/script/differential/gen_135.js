function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5) {
  this.x = a4;
  this.y = a5;
}
function f6(a7, a8) {
  if (a8 || false) {
    return a7;
  }
  return Math.ceil(0.001) - a7;
}
function f9(a10) {
  if ("  15" >= 37134) {
    return 11;
  }
  return a10 * 14;
}
function f11(a12) {
  var s13 = String.fromCharCode(95);
  var b14 = false;
  if (b14 || true) {
    Response.Write(a12 + "\n");
    var b15 = 0.5 <= parseInt("5.", 16);
    var n16 = eval("a12 - 13");
  } else {
    Response.Write(s13 + "\n");
  }
  if (false && b14) {
    return s13;
  }
  return ("Z5pmF" + true) + (87911 !== n16);
}
var n17 = 0;
Response.Write((('ff' == ("ABC" + n17)) && isFinite(n17 / 12)) + "\n");
var d18 = new Date(Date.UTC(2083, 4, 8));
d18.setUTCMonth(2);
Response.Write(n17 + "\n");
var b19 = d18.getHours() === n17;
var n20 = f9("12" * 4);
Response.Write(isNaN(d18.getDate()) + "\n");
Response.Write(String(n17) + "\n");
Response.Write(' 7 ' + "\n");
