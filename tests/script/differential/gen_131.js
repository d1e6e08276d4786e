function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
var s3 = String.fromCharCode(95);
Response.Write((!false) + "\n");
var n4 = 0.2 / ((0xff + 85831) * (16 + 2E5));
var n5 = n4;
var s6 = s3;
Response.Write("5.".length + "\n");
Response.Write((s3 < s6) + "\n");
s6 += s3;
Response.Write((String.fromCharCode(119, 116, 105) + s3) + "\n");
if (isNaN(99.99) || (false || true)) {
  var b7 = true;
  if (isNaN(n5 % 45407)) {
    var n8 = n4;
    n5--;
    s3 += s6;
  }
} else {
  var i9;
  for (i9 = 0; i9 < 2; i9++) {
    Response.Write((Math.max(Math.log(n5), -n5) > n5) + "\n");
    if (!(b7 || true)) {
      Response.Write(s6 + "\n");
      Response.Write(s6 + "\n");
    } else {
      var b10 = isFinite(18 + 6);
    }
    if (b10) {
      break;
    }
  }
  n4 += n5;
}
var d11 = new Date(Date.UTC(2016, 2, 25, 3, 45, 41));
d11.setDate(26);
d11.setUTCFullYear(2096);
