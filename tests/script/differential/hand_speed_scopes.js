var z = "global z";
var n = 0;
function pick(flag, a) {
  if (flag) {
    eval("var z = a * 2");
  }
  n = n + 1;
  return z;
}
var out = "";
var i;
for (i = 0; i < 6; i++) {
  out = out + pick(i % 3 == 1, i) + ",";
}
Response.Write(out + " " + n + "\n");
function outer(a, b) {
  function inner(c) {
    return a + c;
  }
  var s = inner(b) + inner(1);
  return s;
}
var total = 0;
for (i = 0; i < 20; i++) {
  total = total + outer(i, i + 1) + outer(i, 2);
}
Response.Write(total + "\n");
function depth(k) {
  if (k == 0) {
    return 0;
  }
  return 1 + depth(k - 1);
}
function twice(x, x2) {
  return x + x2;
}
Response.Write(depth(500) + " " + twice(1) + " " + twice(1, 2, 3) + " " + twice("a", depth(3)) + "\n");
