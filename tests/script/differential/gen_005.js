function f1(a2) {
  Response.Write((a2 !== a2) + "\n");
  var b3 = ((true || true) && (false || true)) || (('abc' == 38708) && (9 != 1.5));
  if (isFinite("W" + 0xff)) {
    a2 += a2;
    a2 += 'bs\'';
    a2 = a2;
  } else {
    Response.Write((false || (!(12.5 == 81695))) + "\n");
  }
  return a2 + ".5";
}
function f4(a5) {
  a5--;
  if (a5 >= a5) {
    return "1e3";
  }
  return 'one two';
}
Response.Write(f4(-(19 * 14)) + "\n");
Response.Write((Math.exp(-.5) >= ("q!?".length / eval("13"))) + "\n");
var n6 = 0.25;
var o7 = new Object();
o7.total = n6;
var n8 = o7.total;
Response.Write((((typeof "8") + '0.125') + (-n8)) + "\n");
Response.Write((parseInt("+8", 10) >= n6) + "\n");
var n9 = String(n6).length;
Response.Write(eval("n6") + "\n");
var n10 = 11 * n8;
var b11 = true;
var b12 = !(isNaN("") && (!true));
Response.Write(11 + "\n");
var b13 = isFinite(n8 % parseFloat('0x1F'));
var o14 = new Object();
o14.label = ' 7 ';
