function f1(a2) {
  return '.5';
}
function f3(a4, a5) {
  a4 += typeof (a5 + 0);
  var s6 = (f1(true) + a4) + (0 + 4);
  var n7 = 78172;
  return a5.indexOf("x");
}
var d8 = new Date(2011, 2, 3, 12, 31, 46, 62);
d8.setUTCMinutes(31);
d8.setUTCMonth(14);
if ('+8' !== (0.5 + 12.5)) {
  var o9 = new Object;
  o9.total = Math.LN10 + f3("10", 'e9vQWqIE');
  o9.total = "1dP7".charCodeAt(16);
  o9.q = f3('_WeMaNaA', '10') * parseFloat('-3.5');
  Response.Write(isFinite("255") + "\n");
}
var s10 = f1(0.001 > parseInt("Beta", 10));
var n11 = s10.charCodeAt(8);
var n12 = d8.getFullYear();
var n13 = 20;
