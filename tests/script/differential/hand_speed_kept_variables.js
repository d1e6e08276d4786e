function counter(start) {
  var total;
  var steps = 0;
  if (total === undefined) {
    total = start;
  }
  while (steps < 3) {
    total++;
    steps++;
  }
  return total;
}
Response.Write(counter(1) + " " + counter(10) + " " + counter() + " " + counter("5") + "\n");
function make(x) {
  var y = x + 1;
  function sum() {
    return x + y;
  }
  return sum;
}
var m1 = make(1);
var m2 = make(10);
Response.Write(m1() + " " + m2() + " " + make(100)() + "\n");
function depth(n, acc) {
  var here = n * 2;
  if (n === 0) {
    return acc;
  }
  var below = depth(n - 1, acc + here);
  return below + here - here;
}
Response.Write(depth(30, 0) + " " + depth(5, 1) + " " + depth(0, 9) + "\n");
function last(a) {
  var b = a;
  b = b + 1;
  return b;
}
var r = 0;
for (var i = 0; i < 50; i++) {
  r = r + last(i);
}
Response.Write(r + "\n");
function steps(v) {
  var w = v;
  var before = w++;
  var after = ++w;
  var down = w--;
  return before + "," + after + "," + down + "," + w;
}
Response.Write(steps(1) + " " + steps(2147483647) + " " + steps(-2147483648) + " " + steps("3") + " " +
               steps(undefined) + " " + steps(1.5) + "\n");
