function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5) {
  this.x = a4;
  this.y = a5;
}
function f6(a7, a8, a9) {
  var s10 = '.5';
  Response.Write((-parseFloat(String(a8))) + "\n");
  return Math.asin(a8) + a8;
}
function f11(a12, a13) {
  a13 += "0.125".indexOf("1", 10);
  var s14 = "1RaNs_L" + "Hello".indexOf("b");
  var b15 = true;
  if ('1e3' >= 18) {
    return f6("12" !== 1.5e-4, 1e3, a13 == 3.125);
  }
  return Math.atan2(a13, 19 - 12.5);
}
function f16(a17, a18, a19) {
  a18 -= a18;
  a18 += eval("a18") * (1 % a18);
  Response.Write(((('AbCdEf' + '0x1F') > String(a18)) && ((a18 === a18) && (false || a19))) + "\n");
  if (a17 || false) {
    return '5ITO__L\n';
  }
  return "12".replace('e', 'XY');
}
Response.Write((f16(true, 19, isNaN(15)) <= "12".replace("-", "")) + "\n");
var n20 = f11(18, 29366);
Response.Write((((-n20) < n20) || ("delta" != "")) + "\n");
Response.Write(n20 + "\n");
if (false && (!false)) {
  var s21 = "AbCdEf".charAt(-1);
  Response.Write(n20 + "\n");
} else {
  var s22 = typeof f16(false || false, n20, !false);
}
var b23 = n20 !== f11(n20, n20);
