function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5, a6) {
  this.x = a4;
  this.y = a5;
  this.name1 = a6;
}
function f7(a8) {
  Response.Write(("t!Yg" + (0.1 != (a8 % 0.001))) + "\n");
  var s9 = "3";
  if (9 <= a8) {
    return s9;
  }
  return String.fromCharCode(87) + 'abc';
}
function f10(a11, a12) {
  if (isFinite(16)) {
    return "ABC".substring(5) + isFinite(a12);
  }
  return String(a12 / a12);
}
function f13() {
  var i14;
  i14 = 2;
  while (i14 < 10) {
    var n15 = i14;
    Response.Write((!(false || (!true))) + "\n");
    i14 += 2;
  }
  Response.Write((typeof parseInt("  15", 16)) + "\n");
  return 'zz'.replace('x', "[]");
}
var s16 = String(eval("45 - 44"));
var b17 = (56161 % s16.indexOf('A', 10)) === 2;
var n18 = s16.replace("x", "[]").charCodeAt(10) / (0.001 * 0);
if (b17) {
  Response.Write((!((s16 + true) !== s16)) + "\n");
  if ('' >= ('3.25' + n18)) {
    var b19 = !(4 >= (68170 * n18));
  }
  n18 = eval("n18 - 13");
}
Response.Write((eval("8 - 7") > parseFloat('+8')) + "\n");
s16 += 'enD\r';
s16 = s16;
Response.Write("alpha" + "\n");
var n20 = 6;
var b21 = isFinite('' - 1);
