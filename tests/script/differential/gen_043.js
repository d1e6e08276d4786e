function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4, a5) {
  this.x = a3;
  this.y = a4;
  this.name1 = a5;
}
var n6 = ((11 % 4) - Math.sqrt(7)) % eval("20 * 50");
var d7 = new Date(Date.UTC(2027, 9, 27, 21, 42, 44, 73));
var s8 = String.fromCharCode(116, 86, 102) + ('rZh8'.charAt(9) + (44071 == n6));
s8 += s8.replace('a', 'o');
n6 = eval("n6 + n6");
s8 += s8 + (false && false);
if (isNaN(typeof 'qB5c2_')) {
  n6 = -68406;
}
var n9 = eval("n6 + n6");
var s10 = s8;
Response.Write(((String.fromCharCode(116) + (!true)) + ('abc' <= n9)) + "\n");
if (true) {
  Response.Write((n9 === d7.getUTCMonth()) + "\n");
  var s11 = s10.replace("o", '-');
  Response.Write(String(eval("15")).lastIndexOf("1") + "\n");
} else {
  var s12 = s11;
  Response.Write((typeof String(n9 + 0.2)) + "\n");
}
var o13 = new P2(eval("36"), 12.5 / n9, String.fromCharCode(75, 93));
o13.label = s10;
n9 -= parseInt(s11, 16);
n9 -= (n6 - 1.5) * n6;
