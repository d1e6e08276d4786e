function fact(n) {
  if (n <= 1) {
    return 1;
  }
  return n * fact(n - 1);
}
function fib(n) {
  var a = 0;
  var b = 1;
  var i;
  for (i = 0; i < n; i++) {
    var t = a + b;
    a = b;
    b = t;
  }
  return a;
}
function noResult(x) {
  var y = x * 2;
}
function counter(start) {
  var count = start;
  function next() {
    count = count + 1;
    return count;
  }
  next();
  return next();
}
Response.Write(fact(10) + " " + fact(15) + " " + fib(30) + " " + noResult(3) + " " + counter(5) + "\n");
function Point(x, y) {
  this.x = x;
  this.y = y;
  this.sum = pointSum;
}
function pointSum() {
  return this.x + this.y;
}
var p = new Point(3, 4);
Response.Write(p.x + " " + p.y + " " + p.sum() + " " + typeof p + " " + typeof Point + "\n");
var o = new Object();
o.name = "box";
o.size = 12;
o.size++;
o.size += 10;
Response.Write(o.name + " " + o.size + "\n");
var x = 10;
Response.Write(eval("x * 2 + 1") + " " + eval("'a' + 'b'") + " " + eval(7) + "\n");
var s = "";
var i = 0;
do {
  i++;
  if (i == 3) {
    continue;
  }
  if (i > 6) {
    break;
  }
  s = s + i;
} while (i < 10);
Response.Write(s + "\n");
var n = 0;
while (true) {
  n += 3;
  if (n > 20) {
    break;
  }
}
Response.Write(n + " " + (n === 21) + " " + (n !== 21) + " " + (1 === 1.0) + " " + (typeof n) + " " + (typeof "s") + "\n");
var u;
Response.Write(u + " " + typeof u + " " + (u == undefined) + " " + -n + " " + (-(-n)) + "\n");
var big = 1;
for (i = 0; i < 40; i++) {
  big = big * 2;
}
Response.Write(big + " " + (big / 1024) + " " + 1e20 + " " + 0.000001 + " " + 123456789012345 + "\n");
