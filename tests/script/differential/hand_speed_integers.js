var big = 2147483647;
var small = -2147483648;
Response.Write((big + 1) + " " + (big + big) + " " + (small - 1) + " " + (small - small) + "\n");
Response.Write((big * 2) + " " + (65536 * 32768) + " " + (65536 * 32767) + " " + (-65536 * 32768) + "\n");
Response.Write((0 * -1) + " " + (1 / (0 * -1)) + " " + (1 / (-4 % 2)) + " " + (1 / (4 % -2)) + "\n");
Response.Write((7 % 3) + " " + (-7 % 3) + " " + (7 % -3) + " " + (-7 % -3) + " " + (7 % 0) + " " + (0 % 5) + "\n");
Response.Write((small % -1) + " " + (1 / (small % -1)) + " " + (small % 2) + " " + (big % small) + "\n");
Response.Write((5.5 % 2) + " " + (-5.5 % 2) + " " + (7 % 2.5) + " " + (2147483648 % 3) + "\n");
var i = big;
i++;
Response.Write(i + " ");
i = small;
i--;
Response.Write(i + " " + (-small) + " " + (-(big + 1)) + "\n");
var n = 1;
var k;
for (k = 0; k < 25; k++) {
  n = n * 3 + 1;
}
Response.Write(n + " " + typeof n + "\n");
var t = 0;
for (k = -20; k < 20; k++) {
  t = t + k % 7 + k * k % 5 - k;
}
Response.Write(t + " " + (t == 0) + " " + (t === 0) + "\n");
var s = "";
for (k = 0; k < 300; k++) {
  s += k % 10;
  s += "";
}
var u = s;
s += "!";
Response.Write(s.length + " " + u.length + " " + s.substring(290) + " " + u.substring(295) + "\n");
