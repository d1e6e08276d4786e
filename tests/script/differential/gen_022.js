function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5, a6, a7) {
  var n8 = Math.LOG2E;
  if ("7fffffff" > (a6 % 6549)) {
    Response.Write((a6 + (-a5)) + "\n");
  } else {
    var s9 = (typeof n8) + (-11);
    Response.Write(true + "\n");
  }
  var i10;
  i10 = 0;
  do {
    s9 = a7;
    i10++;
  } while (i10 < 4);
  if (isNaN(n8)) {
    return s9;
  }
  return a7;
}
function f11() {
  if (false) {
    var n12 = 2;
    Response.Write(Math.asin(-parseFloat('42abc')) + "\n");
    var n13 = 6;
  }
  return "10".slice(n13, 9);
}
function f14(a15, a16, a17) {
  a17 = a17;
  var i18;
  i18 = 1;
  do {
    if ("7fffffff" !== 0.3) {
      break;
    }
    i18++;
  } while (i18 < 6);
  var i19;
  i19 = 3;
  while (i19 < 9) {
    var b20 = (-1.5) > i18;
    var n21 = i18;
    i19++;
  }
  return 'tEU2S-F'.charAt(1);
}
var n22 = Math.round(12.5);
var s23 = '0xkgg1TV';
var o24 = new P1(s23.length, Math.ceil(7), s23.substring(10));
o24.label = s23;
o24.total = parseFloat(String.fromCharCode(89, 120, 80));
if (true && isFinite(n22)) {
  n22 = n22 / "delta".lastIndexOf("-");
} else {
  Response.Write((Math.log(o24.x) * ((n22 / n22) * Math.sqrt(n22))) + "\n");
}
n22 = eval("30");
var d25 = new Date(Date.UTC(2007, 1, 7, 7));
var n26 = 14;
var s27 = s23;
Response.Write((n26 < n26) + "\n");
var n28 = Math.sqrt(o24.y);
if (0.1 === Math.pow(3, 12)) {
  Response.Write(((d25.getUTCDate() - d25.getUTCDate()) > s23.indexOf("-", n28)) + "\n");
  var s29 = s23;
} else {
  var n30 = s23.indexOf("ab");
  Response.Write(String.fromCharCode(111, 103, 110) + "\n");
}
Response.Write(d25.getFullYear() + "\n");
if (isNaN(n22)) {
  var o31 = new P1(Math.abs(n30), 4 + n30, s29);
  o31.label = s29;
  Response.Write(String(o24.total) + "\n");
} else {
  s27 = 'zEkT\\';
  var n32 = ".5" - 5;
}
