function f1() {
  if ('1e3' < (-3)) {
    var b2 = false && (1.5e-4 < 6);
    Response.Write('TO62: y' + "\n");
  } else {
    Response.Write(14 + "\n");
    Response.Write('ff'.charAt(0) + "\n");
  }
  return 0.2;
}
var s3 = String(20) + false;
s3 = s3;
s3 = typeof s3;
var b4 = true;
var d5 = new Date(2018, 4, 10, 16, 32, 18);
d5.setUTCFullYear(2077);
d5.setDate(16);
Response.Write("Umx" + "\n");
var b6 = b4;
