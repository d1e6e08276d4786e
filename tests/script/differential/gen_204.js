var s1 = String.fromCharCode(121, 89, 102);
if (Math.floor(5) <= (6 - 11)) {
  if (isNaN(.5) || (20 <= 0.2)) {
    s1 = String.fromCharCode(84) + (s1 + 0.001);
    Response.Write((!isNaN(s1 + 'q!?')) + "\n");
  }
  s1 = s1.replace('ll', "o");
} else {
  Response.Write('.5'.charAt(9) + "\n");
}
var b2 = isFinite(s1);
var s3 = String.fromCharCode(97, 92, 95);
s1 = s3;
var d4 = new Date(Date.UTC(2072, 6, 17, 16));
d4.setMonth(8);
d4.setUTCHours(24);
if (isFinite("Ncl.\r".length)) {
  var b5 = eval("47 + 14") <= d4.getUTCSeconds();
  var s6 = String(String(1e3).length);
  Response.Write(false + "\n");
} else {
  if (b5) {
    var b7 = 13 > parseInt(s3 + "  15", 16);
    var n8 = "3.25" - 1;
  }
}
var b9 = s6 <= "".toLowerCase();
var s10 = ''.slice(n8, 0);
var d11 = new Date(3701880454000);
d11.setUTCSeconds(47);
d11.setUTCDate(3);
n8--;
Response.Write(d4.getTime() + "\n");
