function fresh(n, flag) {
  var seen;
  var kind = typeof seen;
  if (flag) {
    seen = n;
  }
  if (n > 0) {
    return kind + ":" + typeof flag + " " + fresh(n - 1);
  }
  return kind + ":" + typeof flag;
}
Response.Write(fresh(3, true) + "|" + fresh(2) + "|" + fresh(1, 0) + "\n");
function dup(a, a) {
  return a;
}
Response.Write(dup(1, 2) + " " + dup(3) + " " + dup(4, 5, 6) + " " + dup() + "\n");
function both(a) {
  var a;
  return a;
}
Response.Write(both(7) + " " + both() + " " + both("x") + "\n");
function args(a, b, c) {
  return a + "," + b + "," + c;
}
Response.Write(args(1, 2, 3) + " " + args(4) + " " + args() + " " + args(5, 6) + "\n");
function keep(x) {
  var y = x * 2;
  function get() {
    return x + "/" + y;
  }
  return get;
}
var k0 = keep(1);
var k1 = keep(2);
var k2 = keep(3);
Response.Write(k0() + " " + k1() + " " + k2() + " " + keep(4)() + "\n");
function inner(n) {
  function helper(k) {
    return k + n;
  }
  if (n == 0) {
    return helper(100);
  }
  return helper(n) + inner(n - 1);
}
Response.Write(inner(5) + " " + inner(0) + "\n");
function sometimes(n, add) {
  if (add) {
    eval("var extra = n * 10");
  }
  if (typeof extra == "undefined") {
    return n;
  }
  return extra;
}
var list = "";
var i;
for (i = 0; i < 6; i++) {
  list = list + sometimes(i, i % 2 == 0) + ",";
}
Response.Write(list + "\n");
function acc(n) {
  var total = 0;
  var j;
  for (j = 0; j < n; j++) {
    total = total + j;
  }
  return total;
}
var sum = 0;
for (i = 0; i < 200; i++) {
  sum = sum + acc(i % 17);
}
Response.Write(sum + "\n");
