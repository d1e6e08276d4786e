var o1 = new Object();
o1.total = -(-67961);
o1.total = Math.min(10, 98965);
o1.p = eval("30");
var n2 = "-3.5".charCodeAt('  15'.length);
Response.Write(isNaN(n2) + "\n");
Response.Write(.5 + "\n");
var b3 = ((n2 + 16) % eval("48")) !== String(n2).indexOf("a", 1.5);
var n4 = o1.total;
Response.Write((((9 % 11) + parseFloat('3.25')) - o1.total) + "\n");
var b5 = isFinite(n4 * (9 - n2));
if (o1.total === n4) {
  Response.Write(parseFloat('abc') + "\n");
}
var d6 = new Date(Date.UTC(2053, 9, 25, 9, 54, 43, 404));
d6.setDate(19);
d6.setUTCMinutes(7);
Response.Write(String.fromCharCode(87) + "\n");
var n7 = n4;
Response.Write(n2 + "\n");
var b8 = (("zz" + n2) != (typeof 'D\\')) || (9 === (n2 * n4));
var n9 = 18;
