function f1(a2, a3, a4) {
  a4 += a4.toUpperCase();
  if (false) {
    Response.Write(isNaN(parseFloat('')) + "\n");
    var s5 = a2.charAt(84406);
    s5 += s5;
  } else {
    Response.Write((34326 + 1) + "\n");
    Response.Write((s5 + (String.fromCharCode(65, 68) + s5)) + "\n");
  }
  var n6 = eval("46") / (-a4.length);
  return Math.max(n6, eval("7"));
}
var n7 = f1(String.fromCharCode(117, 115), isFinite(0.25 + 0.2), '12');
Response.Write((n7 + (n7 % "ff".charCodeAt(0))) + "\n");
var b8 = 8 < n7;
n7--;
n7++;
Response.Write(((String.fromCharCode(87) + (!true)) + (-n7)) + "\n");
Response.Write(("Beta" + String(eval("30"))) + "\n");
Response.Write(f1("BVb z3".replace("-", "-"), "fzI7AR#9" > 'a-b-c', "qp#zU\n") + "\n");
var s9 = "world";
