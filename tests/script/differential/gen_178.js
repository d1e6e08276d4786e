function f1(a2) {
  a2 = a2.toLowerCase();
  a2 += a2;
  Response.Write(('007' !== Math.pow(0.2 + 8, 4)) + "\n");
  return 20;
}
function f3(a4, a5) {
  var s6 = "abc";
  Response.Write((false || isFinite(74506)) + "\n");
  var n7 = f1(s6.replace('ll', ""));
  return n7;
}
function f8() {
  if (isFinite(0.001)) {
    var n9 = 9;
    var b10 = '12' > n9;
    var n11 = n9;
  }
  return "alpha";
}
var b12 = isFinite('ff'.toUpperCase()) && (String(6) < "zz");
Response.Write('p' + "\n");
Response.Write(f1("#QU1gse_" + ("?aw2Pizk" + b12)) + "\n");
var b13 = (isNaN(9) && true) || (!("  15" === "z!gAmx"));
var s14 = 'gamma'.substring(4, 0 / 0.001);
s14 = s14.substring(0.001, 4);
var d15 = new Date(2034, 9, 21);
s14 += ("Yx4EgJT" + s14) + parseFloat('0x1F');
Response.Write(((s14 + (!b13)) + eval("35 - 38")) + "\n");
