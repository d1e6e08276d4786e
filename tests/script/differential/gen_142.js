function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4, a5) {
  this.x = a3;
  this.y = a4;
  this.name1 = a5;
}
if (2E5 >= 'AbCdEf'.length) {
  var b6 = true;
  var n7 = 7;
  Response.Write(35555 + "\n");
}
Response.Write((((n7 > n7) || b6) && (Math.acos(3.125) >= (n7 - n7))) + "\n");
var n8 = n7;
Response.Write((!("  15" > String.fromCharCode(92, 72))) + "\n");
var o9 = new Object();
o9.p = eval("n8") - (n8 + 12.5);
o9.total = n7;
o9.q = -n8;
if (n7 != o9.total) {
  var i10;
  for (i10 = 3; i10 < 4; i10++) {
    Response.Write(n7 + "\n");
    n7--;
    if ('-0' >= i10) {
      break;
    }
  }
}
var s11 = '42abc'.replace("e", "");
var s12 = s11.charAt(0);
Response.Write(('.5' > '  15'.charCodeAt(6)) + "\n");
