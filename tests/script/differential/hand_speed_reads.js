var a = 3;
var b = 4;
var s = "ab";
var o = new Object();
o.x = 1;
o.inner = new Object();
o.inner.y = 10;
var k = "x";
var t = a + b * a - b % a;
t = t + (a = a + 1) * a;
Response.Write(t + " " + a + " " + (a < b) + " " + (a == b) + " " + !a + " " + -b + "\n");
a = b;
b = a + 1;
Response.Write(a + " " + b + " " + (s + a) + " " + s.length + " " + (o.x + o.inner.y) + "\n");
o.x += o.inner.y;
o.inner.y = o.x * 2 + o.inner.y;
Response.Write(o.x + " " + o.inner.y + " " + o[k] + " " + (o[k] - 1) + "\n");
var u;
Response.Write((u == 5) + " " + (a === 4) + " " + (s === "ab") + " " + (s + s + s) + "\n");
function pair(p, q) {
  var r = p * q;
  r = r + p - q;
  return r + (p < q) + s.length;
}
var i;
var sum = 0;
for (i = 0; i < 50; i++) {
  sum = sum + pair(i, sum % 7) % 1000;
  o.x = o.x + i;
}
Response.Write(sum + " " + o.x + " " + i + "\n");
