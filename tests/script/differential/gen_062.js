function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
Response.Write((" 7 " > (-eval("15"))) + "\n");
var n4 = Math.min((5 % 3) + 51308, Math.asin(12.5 / 0xff));
var d5 = new Date(2058, 10, 7, 6, 59);
d5.setMonth(2);
var o6 = new P1(eval("n4"), d5.getTime(), String.fromCharCode(117));
o6.label = "Hello".slice(3);
o6.label = String.fromCharCode(97);
var n7 = parseFloat('1.5e-3');
var n8 = n4;
