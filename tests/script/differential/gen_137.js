var n1 = (Math.max(6, 1.5) + ('ABC' * 3)) * 15;
if (isFinite(typeof 9)) {
  var b2 = 'gamma'.replace('A', '-') === (typeof 17);
  Response.Write(isNaN("x") + "\n");
}
var o3 = new Object();
o3.total = (n1 % 72885) % Math.sin(n1);
o3.w = n1;
o3.p = n1;
var s4 = '';
Response.Write(false + "\n");
Response.Write((typeof (s4 + n1)) + "\n");
var d5 = new Date(Date.UTC(2080, 0));
d5.setUTCHours(8);
if ("5." > Math.pow(n1, 1)) {
  var b6 = isFinite(Math.PI);
  Response.Write(d5.getUTCSeconds() + "\n");
  var i7;
  i7 = 0;
  do {
    var n8 = o3.p;
    var i9;
    for (i9 = 0; i9 < 2; i9 += 2) {
      Response.Write(b2 + "\n");
    }
    i7++;
  } while (i7 < 5);
}
