function fact(n) {
  if (n < 2) {
    return 1;
  }
  return n * fact(n - 1);
}
function ackermann(m, n) {
  if (m == 0) {
    return n + 1;
  }
  if (n == 0) {
    return ackermann(m - 1, 1);
  }
  return ackermann(m - 1, ackermann(m, n - 1));
}
Response.Write(fact(10) + " " + fact(13) + " " + ackermann(2, 3) + "\n");
function makeCounter(start) {
  var count = start;
  function next() {
    count = count + 1;
    return count;
  }
  return next;
}
var a = makeCounter(10);
var b = makeCounter(100);
a();
Response.Write(a() + " " + b() + " " + a() + " " + b() + "\n");
function makers() {
  var result = new Object();
  var i;
  for (i = 0; i < 3; i++) {
    function show() {
      return "i=" + i;
    }
    result["f" + i] = show;
  }
  return result;
}
var m = makers();
Response.Write(m.f0() + " " + m.f1() + " " + m.f2() + "\n");
function outer(x) {
  function middle(y) {
    function inner(z) {
      return x + y + z;
    }
    return inner(y * 2);
  }
  return middle(x + 1);
}
Response.Write(outer(1) + " " + outer(10) + "\n");
function shadow(x) {
  var total = 0;
  var x2 = x;
  function x3() {
    return x2 * 3;
  }
  total = x + x3();
  return total;
}
Response.Write(shadow(4) + "\n");
var level = 0;
function deep(n) {
  level = level + 1;
  if (n > 0) {
    return deep(n - 1) + 1;
  }
  return 0;
}
Response.Write(deep(500) + " " + level + "\n");
var code = "var made = 6; made * 7";
Response.Write(eval(code) + " " + made + " " + eval("fact(5) + made") + "\n");
function withEval(p) {
  var q = p + 1;
  return eval("p * q");
}
Response.Write(withEval(3) + " " + withEval(-2) + "\n");
