var s1 = '12'.replace('-', "[]");
var n2 = 15;
var s3 = 'jMW'.replace("-", "o");
var s4 = '42abc';
var n5 = n2 - n2;
if ("1.5e-3" >= (-n2)) {
  var o6 = new Object;
  o6.p = s1.length * n5;
  Response.Write((String(n5).length > n5) + "\n");
}
Response.Write((!((true || false) || ("3.25" <= n2))) + "\n");
Response.Write(s1 + "\n");
Response.Write(('Beta'.indexOf(" ") / 16) + "\n");
s1 += ('Hello' + s1) + 13;
Response.Write(('Beta' + s1) + "\n");
Response.Write(String(93671) + "\n");
var b7 = n5 <= (s4.indexOf('1') + Math.atan2(n2, n2));
