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
function f7(a8) {
  if (false) {
    var n9 = eval("13");
    Response.Write("KVbba" + "\n");
  }
  Response.Write(String.fromCharCode(98, 118, 83) + "\n");
  var i10;
  i10 = 3;
  do {
    if (n9 != a8) {
      break;
    }
    Response.Write(eval("n9") + "\n");
    i10++;
  } while (i10 < 6);
  if ("zz" === "n#EL\"") {
    return 14;
  }
  return eval("31") + (-i10);
}
var n11 = Math.min(0.5 % 14620, 10);
if ('"' == ('ofEd#a' + 10)) {
  var n12 = 1;
  var n13 = eval("2");
} else {
  n12 = n12;
}
if (!isFinite('iLhFT1-\n')) {
  if (1.5 == parseInt('-0', 16)) {
    Response.Write("12" + "\n");
  } else {
    Response.Write((n12 + 13) + "\n");
    var n14 = n13;
  }
  var n15 = "e".lastIndexOf('l');
  var s16 = 'delta';
}
var n17 = n14;
n14 *= n11;
Response.Write(false + "\n");
