function f1(a2, a3) {
  Response.Write('abc'.indexOf("ab") + "\n");
  Response.Write((("  15" == "VoV".length) && (('9!pzZ6' + 18456) != ("q" + 46911))) + "\n");
  return String.fromCharCode(100);
}
function f4(a5, a6, a7) {
  var b8 = !false;
  a5 = a5;
  Response.Write(((String(a7) + ('1.5e-3' == 1.5)) == f1(a7 >= 3.125, 0.001)) + "\n");
  if (true && false) {
    return "TnPcB.5o".length + parseInt("3.25", 10);
  }
  return "12".lastIndexOf(" ", 8);
}
function f9(a10, a11) {
  if (('-3.5' >= '.5') || (13 > a11)) {
    Response.Write(f1("Beta".replace('-', "") <= 'N"', 'abc'.toUpperCase().indexOf('-', 11)) + "\n");
    var s12 = '3';
  } else {
    Response.Write((String(16).indexOf("a") * a11) + "\n");
    var n13 = (a11 + 94180) + s12.charCodeAt(3);
  }
  return s12;
}
var n14 = '6em?y!lJ"'.toUpperCase().length;
var d15 = new Date(2005, 3);
d15.setUTCMinutes(54);
Response.Write(String(n14 + n14) + "\n");
var n16 = n14;
var n17 = n16;
Response.Write((f1(n14 > 9, n17) + (-eval("n17"))) + "\n");
Response.Write("mu".replace(" ", "[]") + "\n");
n14 += "".length + n17;
Response.Write(isFinite(parseInt('-3.5', 10)) + "\n");
var b18 = isNaN(n14);
var b19 = n14 > f4(".0FXWU\r".lastIndexOf('o'), "255" >= '!!v', n16);
n17 += 'WX'.indexOf('ab');
var n20 = 2;
