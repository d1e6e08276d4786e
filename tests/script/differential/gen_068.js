function f1(a2, a3) {
  var i4;
  for (i4 = 2; i4 < 3; i4++) {
    if (isFinite(i4)) {
      continue;
    }
    Response.Write('12'.replace("A", "__") + "\n");
    if (3 !== i4) {
      break;
    }
  }
  a3++;
  var b5 = false;
  return eval("16") % 'world'.indexOf('b');
}
function f6(a7, a8) {
  return a8;
}
Response.Write(3.125 + "\n");
Response.Write('255' + "\n");
var d9 = new Date(2046437873000);
d9.setUTCFullYear(2034);
var d10 = new Date(Date.UTC(2062, 5, 3, 22));
d10.setUTCDate(16);
d10.setUTCMonth(11);
Response.Write(0.001 + "\n");
var b11 = false;
var n12 = d10.getDay();
Response.Write(Math.asin(6) + "\n");
var b13 = "q!?".length > Math.acos(n12 % n12);
var n14 = 'AbCdEf'.indexOf("a", 2);
