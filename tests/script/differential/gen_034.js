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
function f7() {
  var n8 = parseFloat("3.25");
  n8--;
  Response.Write(0.1 + "\n");
  if (isNaN(9)) {
    return Math.tan(n8 * 35178);
  }
  return n8;
}
function f9(a10, a11) {
  Response.Write("zz" + "\n");
  if (false) {
    Response.Write(0.001 + "\n");
    Response.Write('' + "\n");
    var n12 = 20 + eval("36");
  } else {
    var s13 = String.fromCharCode(87);
    a10--;
  }
  return f7();
}
if (10 != 9) {
  if (isFinite(2)) {
    if (true) {
      var n14 = 14;
      var n15 = n14;
    }
    n14 = n15;
    Response.Write((typeof "JMMeVaXK".replace('-', "__")) + "\n");
  } else {
    var n16 = Math.min(-n14, "1e3" * 2);
  }
  Response.Write(eval("(n14 + 19) - (17 - n15)") + "\n");
}
var d17 = new Date(2017, 5, 2, 22);
d17.setUTCSeconds(68);
d17.setUTCMinutes(15);
Response.Write(false + "\n");
Response.Write('255'.toUpperCase().charCodeAt(n16 / n15) + "\n");
if (n14 === f7()) {
  if ((4 * n15) != f9(n15, 13)) {
    Response.Write('255'.replace(" ", "XY") + "\n");
  }
  var b18 = ((!false) && (n14 >= 0xff)) && (isNaN(0.001) || isFinite(n15));
}
Response.Write(n15 + "\n");
if (''.indexOf("-") != n14) {
  if ('x' != (typeof "PFrr?tG")) {
    Response.Write('zz' + "\n");
  }
} else {
  if (false) {
    Response.Write(parseInt(('one two' + 14) + "q!?".replace("ll", 'o'), 10) + "\n");
  } else {
    var n19 = f9(f9(n14, n15 + n16), eval("43 + n16"));
  }
  var n20 = n15;
}
var b21 = b18;
if ((n19 + n19) == Math.sin(n16)) {
  var n22 = n19;
  var i23;
  i23 = 1;
  while (i23 < 7) {
    Response.Write('Wda' + "\n");
    var n24 = '0.125'.charCodeAt(12);
    i23++;
  }
  n19--;
}
