function f1() {
  var b2 = 'ff'.length != Math.cos('Ccq7w'.charCodeAt(6));
  var i3;
  i3 = 1;
  while (i3 < 2) {
    Response.Write(i3 + "\n");
    Response.Write(isFinite(1.5) + "\n");
    var s4 = '0.125';
    i3 += 2;
  }
  if ("3.25" >= i3) {
    return String(i3) + b2;
  }
  return (s4 + b2) + Math.min(i3, i3);
}
var s5 = ' 8Z6uC'.substring(5, -3);
var s6 = s5 + isNaN(eval("25"));
var o7 = new Object();
o7.w = 18;
o7.label = "mHEEe" + s6;
o7.w = Math.asin(95593) % s6.indexOf("b");
Response.Write((':_7-dc' + 7) + "\n");
Response.Write(0.001 + "\n");
var n8 = o7.w;
n8--;
var d9 = new Date(2080, 5, 10, 15, 52);
Response.Write(((1 * 2.75) - n8) + "\n");
Response.Write(s6 + "\n");
n8 *= parseFloat("3.25");
