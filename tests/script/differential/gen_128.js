function f1() {
  if (false || true) {
    return ''.replace('e', '-').lastIndexOf("1");
  }
  return eval("6");
}
var b2 = 0.25 !== (parseFloat('abc') - (9 + .5));
var s3 = '';
Response.Write(s3.slice(f1()) + "\n");
var n4 = Math.acos(Math.round(37392) / parseInt(" 7 ", 16));
var s5 = String.fromCharCode(75);
n4 += 1.5;
Response.Write(((f1() / (-0.5)) >= f1()) + "\n");
var n6 = f1() + n4;
Response.Write(n4 + "\n");
if (false) {
  var o7 = new Object;
  o7.q = Math.exp(n4);
  o7.w = n6;
  o7.q = n6;
  var i8;
  i8 = 3;
  while (i8 < 7) {
    if (true && false) {
      break;
    }
    i8 += 2;
  }
  if (s5 == "ghyIrYD") {
    Response.Write("delta" + "\n");
    var i9;
    for (i9 = 2; i9 < 10; i9++) {
      if ('0x1F' == i8) {
        continue;
      }
      Response.Write(true + "\n");
      Response.Write((19 % n6) + "\n");
      n4 += i8;
    }
  } else {
    Response.Write(s5 + "\n");
    n6--;
  }
}
