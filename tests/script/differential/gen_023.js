function f1(a2) {
  var s3 = '  15';
  Response.Write(Math.SQRT2 + "\n");
  if ("0x10" != 12) {
    return 10;
  }
  return 15;
}
function f4(a5) {
  return ('mIxEd' + 20) + parseInt("-3.5", 10);
}
var n6 = 1.5 + 99.99;
n6++;
if ('3.25' >= 72997) {
  var i7;
  for (i7 = 2; i7 < 10; i7 += 2) {
    n6 *= n6;
    var s8 = f4(n6);
  }
  var o9 = new Object();
  o9.label = s8.replace("-", '[]');
  var i10;
  for (i10 = 3; i10 < 8; i10++) {
    Response.Write(true + "\n");
    n6--;
  }
}
var s11 = s8;
var n12 = -n6;
Response.Write("mIxEd" + "\n");
