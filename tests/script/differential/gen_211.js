function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4) {
  if (73042 < 7) {
    return (16 - 1.5) - 1;
  }
  return 85672;
}
var s5 = "S0ruv9?".replace("x", 'o');
s5 += s5;
Response.Write(' 7 '.toUpperCase() + "\n");
Response.Write(("12" == (-(8 * 31444))) + "\n");
Response.Write(parseInt('alpha', 10) + "\n");
var n6 = f3(true);
var n7 = n6;
var s8 = s5.replace('ab', '__') + String(n6 % n6);
Response.Write(false + "\n");
