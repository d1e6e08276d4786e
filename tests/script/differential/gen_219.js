function f1(a2) {
  Response.Write((String.fromCharCode(93, 85, 120) + ((2 % 7) < 'UFaSxp'.charCodeAt(-2))) + "\n");
  if ('1.5e-3' == eval("32")) {
    Response.Write(Math.tan(a2) + "\n");
    var n3 = (a2 % 16) / a2;
  }
  if (false) {
    a2++;
  }
  if (false && false) {
    return -n3;
  }
  return '255'.length;
}
var o4 = new Object();
o4.label = '.5';
var o5 = new Object();
o5.q = o4.label.charCodeAt(0);
o5.w = 15;
var n6 = f1("kN".slice(9, 2).indexOf("1"));
if (false) {
  Response.Write(String.fromCharCode(86, 72, 93) + "\n");
  var s7 = typeof (String(8) + "Beta".toUpperCase());
  if (" 7 " === (1e3 - n6)) {
    var n8 = f1(3 - 5) * 99.99;
  }
}
var n9 = o5.q;
Response.Write(((-(20 % n8)) / 86363) + "\n");
var b10 = isNaN(o5.w);
var b11 = Math.floor(n6 + n8) != (Math.max(n9, 5) % 1.5);
n9 = Math.SQRT2 + n6;
if (!isNaN("S4mS\\")) {
  Response.Write(("Hello".indexOf('A', 0) === Math.asin(2)) + "\n");
  Response.Write(s7 + "\n");
  Response.Write(s7 + "\n");
} else {
  if (b10) {
    n8 *= -n6;
  } else {
    if (b10) {
      s7 += String.fromCharCode(90);
      var n12 = (n8 + 17) * (n6 / n6);
      var n13 = parseFloat("1e3");
    }
  }
}
n9 *= f1(Math.atan(n6));
Response.Write(b11 + "\n");
