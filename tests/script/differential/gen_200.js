function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5, a6) {
  this.x = a4;
  this.y = a5;
  this.name1 = a6;
}
function f7(a8, a9, a10) {
  var b11 = (parseFloat('007') > a9) && ((4 + a8) > a9);
  var i12;
  i12 = 2;
  do {
    Response.Write('A'.toUpperCase() + "\n");
    if (isNaN(i12)) {
      break;
    }
    i12++;
  } while (i12 < 9);
  Response.Write(String.fromCharCode(104, 116, 115) + "\n");
  if ("doEVUFWA" == "255") {
    return typeof (a9 - a8);
  }
  return typeof String(16);
}
function f13(a14) {
  if (false) {
    Response.Write(String.fromCharCode(70, 79, 97) + "\n");
    Response.Write(false + "\n");
    var n15 = 'zz'.lastIndexOf('A') * a14;
  } else {
    var b16 = !false;
    var n17 = "world".lastIndexOf(" ", 9) % a14;
  }
  return n15;
}
function f18(a19, a20, a21) {
  return f13(14 - a21);
}
if (false) {
  if (true) {
    Response.Write('10' + "\n");
  }
}
var d22 = new Date(Date.UTC(1976, 10, 16, 11, 17, 0));
d22.setUTCMonth(11);
d22.setUTCMinutes(8);
var s23 = "Hi'" + ((12.5 / 0.5) !== Math.SQRT1_2);
var o24 = new Object();
o24.q = 3.125;
Response.Write(("ff".indexOf('ab') === Math.round(d22.getFullYear())) + "\n");
Response.Write((s23 + ("1.5e-3" >= parseFloat("5."))) + "\n");
var o25 = new Object();
o25.total = String(0.1).length;
o25.label = '0.125';
o25.label = String.fromCharCode(102);
var s26 = "1e3" + (eval("23") * d22.getTime());
Response.Write((-2.75) + "\n");
