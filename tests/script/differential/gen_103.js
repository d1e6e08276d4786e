function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
var s4 = String.fromCharCode(71) + "z#oW1sNR".slice(0.2, 1);
var s5 = String.fromCharCode(89, 74);
var s6 = s5;
s5 = s6;
Response.Write(((-eval("39")) % Math.min(18 % 1, Math.abs(9))) + "\n");
var b7 = " 7 " !== s4.length;
Response.Write(1.5e-4 + "\n");
Response.Write(isNaN(Math.round(12 % 86308)) + "\n");
var o8 = new Object;
o8.p = 99.99 * (18 - 1.5e-4);
o8.w = .5 + 7;
o8.total = Math.min(2E5, 3) + (8 % 0.5);
var d9 = new Date(Date.UTC(1972, 3, 22, 9, 15, 8));
d9.setDate(19);
Response.Write(o8.w + "\n");
var b10 = !b7;
var n11 = 4 - (9 * (11 * 20));
s4 = "10";
var o12 = new P1(s6.indexOf('A', 3), Math.exp(14), "-3.5");
o12.label = s5;
o12.total = eval("n11 * 17");
