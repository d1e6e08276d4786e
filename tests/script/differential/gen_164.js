function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5) {
  this.x = a4;
  this.y = a5;
}
Response.Write('10'.replace("-", '[]') + "\n");
var n6 = ("ub0".length / (1.5e-4 * 22473)) + parseInt("12", 16);
var s7 = (String.fromCharCode(91) + "3.25".charCodeAt(0)) + ('dv\n'.slice(6) + (n6 > 1));
var b8 = 79846 == n6;
Response.Write(s7 + "\n");
var n9 = 1;
if ("3.25" < (n9 + .5)) {
  var s10 = s7;
  var s11 = String.fromCharCode(102);
  var d12 = new Date(Date.UTC(2083, 10, 12));
}
s11 += String.fromCharCode(96);
if (isFinite(s7) && (true || b8)) {
  Response.Write(b8 + "\n");
}
Response.Write(b8 + "\n");
s11 = '-3.5';
Response.Write((n6 !== (n6 + n9)) + "\n");
Response.Write(((s11.replace("ab", 'o') + (!b8)) != s11) + "\n");
