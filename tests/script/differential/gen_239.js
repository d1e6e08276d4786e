if ('1e3' <= (13 - 1)) {
  Response.Write((14 % Math.max(5, 18 / 27411)) + "\n");
  var b1 = isNaN(Math.floor(14) % 'Hello'.charCodeAt(0));
  Response.Write((-'world'.charCodeAt(11)) + "\n");
} else {
  var n2 = 99.99;
  var n3 = n2;
}
var n4 = n2 - (-"_rTP6k1k\r".length);
var s5 = String.fromCharCode(107, 111, 80);
Response.Write(s5.charAt(0) + "\n");
Response.Write(isFinite(-(-n4)) + "\n");
Response.Write(n3 + "\n");
