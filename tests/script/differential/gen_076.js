function f1(a2, a3) {
  if (a2) {
    Response.Write((typeof a3) + "\n");
  }
  if (a3 < 13) {
    Response.Write('_Lkr#' + "\n");
  }
  if ("abc" !== ("0x1F" + true)) {
    Response.Write(a3 + "\n");
    Response.Write(((".5".substring(8, -1) + (a3 != a3)) < 'U?D"'.replace('ll', "")) + "\n");
  } else {
    var b4 = a2 && (!a2);
    Response.Write(isFinite(-0.3) + "\n");
  }
  return a3 - (a3 + 9);
}
function f5(a6, a7) {
  Response.Write((String.fromCharCode(93, 76) + isNaN(f1(a7, a6))) + "\n");
  if ('y8M1\'' == "-3.5") {
    return -(4 - 20);
  }
  return parseFloat('');
}
var b8 = isNaN("tcU17EG\r".replace('-', "[]"));
var n9 = "k17".charAt(1).length;
Response.Write(n9 + "\n");
n9 += ''.length / 2;
Response.Write((String.fromCharCode(114, 106) + 'ff'.toUpperCase()) + "\n");
var n10 = n9;
Response.Write(isNaN(19 % n10) + "\n");
