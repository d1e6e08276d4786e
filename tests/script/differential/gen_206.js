Response.Write((('J6V' + true) + (isFinite(45148) && true)) + "\n");
var b1 = !(false || (false || true));
var n2 = Math.round(15 % (-16));
n2++;
var b3 = parseFloat('AbCdEf'.replace("a", "__")) < eval("n2");
Response.Write((("255".substring(5, 0) - 5) > n2) + "\n");
n2 = n2;
Response.Write(("1e3" != ("Beta".indexOf("o") / 'Hz'.length)) + "\n");
var b4 = "5." > Math.max(n2 + .5, n2 % n2);
Response.Write("x" + "\n");
if ("q!?" === 'SoCbOH4t\''.slice(-1, 4)) {
  n2++;
  n2 = eval("34") / Math.asin(5);
} else {
  var n5 = eval("n2");
  Response.Write('3.25'.replace("a", 'o') + "\n");
}
var b6 = 0.1 <= Math.atan2(n2, n5);
