function fib(n) {
  if (n < 2) {
    return n;
  }
  return fib(n - 1) + fib(n - 2);
}
function add(a, b) {
  return a + b;
}
var sum = 0;
var i;
for (i = 0; i < 20000; i++) {
  sum = add(sum, i);
}
Response.Write(fib(20) + " " + sum);
