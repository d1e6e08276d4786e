function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function f4(a5, a6) {
  return 19;
}
function f7(a8, a9) {
  if (a9 && a9) {
    return "0.125".indexOf('a') % f4("gamma", a9);
  }
  return Math.cos(13 + 0.001);
}
var n10 = "ejwz".lastIndexOf("l") + (-":aly".lastIndexOf('b'));
var n11 = -(-f7('Hello', false));
Response.Write('nT_F' + "\n");
var b12 = '.5' != n11;
var o13 = new Object;
o13.label = ("2N" + false) + true;
o13.w = 62766;
n11++;
