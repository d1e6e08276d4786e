function f1(a2, a3, a4) {
  if ('-0' < "12".indexOf(" ")) {
    Response.Write((!a3) + "\n");
    Response.Write(parseFloat('42abc') + "\n");
  }
  if (a3) {
    return "one two".toUpperCase() + isNaN(a2);
  }
  return String(2);
}
function f5(a6) {
  return '1lPKZ'.length;
}
function f7(a8, a9) {
  if (false) {
    return String(12.5) + ('' + 1e3);
  }
  return '6mlc';
}
var n10 = Math.max('mIxEd'.indexOf('1'), 3.125 / 13) % "Hello".toUpperCase().indexOf("1", 12.5);
var n11 = n10 - f5(f5(17));
var d12 = new Date(2253995374000);
d12.setUTCMinutes(68);
var o13 = new Object;
o13.w = n11 / n11;
o13.q = f5(1.5e-4 % n10);
o13.w = d12.getUTCMilliseconds();
if (d12.getUTCDay() <= "42abc".charCodeAt(4)) {
  Response.Write(('' != n10) + "\n");
}
n10++;
