function again(n) {
  if (n == 0) {
    again = 0;
    return "done";
  }
  return again(n - 1);
}
Response.Write(again(4) + " " + typeof again + "\n");
function first(n) {
  return "first" + n;
}
function second(n) {
  return "second" + n;
}
function pick(n) {
  var f = first;
  if (n > 1) {
    f = second;
  }
  return f(n);
}
Response.Write(pick(1) + " " + pick(2) + " " + pick(1) + "\n");
function chain(n) {
  var v = n;
  function get() {
    return v;
  }
  if (n == 0) {
    return get();
  }
  return get() + chain(n - 1);
}
Response.Write(chain(50) + " " + chain(0) + "\n");
var g = 1;
function setG(v) {
  g = v;
  return g;
}
function readG() {
  return g + 1;
}
Response.Write(readG() + " " + setG(5) + " " + readG() + "\n");
function shadow(g, n) {
  if (n == 0) {
    return g;
  }
  return g + shadow(g * 2, n - 1);
}
Response.Write(shadow(1, 4) + " " + g + "\n");
var holder = new Object();
function escape(n) {
  var mine = n * 3;
  function look() {
    return mine;
  }
  if (n % 2 == 0) {
    holder["f" + n] = look;
  }
  if (n == 0) {
    return 0;
  }
  return escape(n - 1) + mine;
}
Response.Write(escape(6) + " " + holder.f4() + " " + holder.f0() + " " + holder.f6() + "\n");
function countdown(n) {
  var left = n;
  while (left > 0) {
    left = left - 1;
  }
  return left;
}
var total = 0;
var j;
for (j = 0; j < 30; j++) {
  total = total + countdown(j) + j;
}
Response.Write(total + "\n");
function outerName(x) {
  function innerName(y) {
    return x * 100 + y;
  }
  return innerName(x + 1) + innerName(x + 2);
}
Response.Write(outerName(1) + " " + outerName(2) + " " + outerName(1) + "\n");
