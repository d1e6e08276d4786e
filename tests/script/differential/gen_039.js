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
function f7() {
  var s8 = 'gamma';
  var n9 = Math.min(16 % 1.5e-4, s8.indexOf('b', -2)) * parseInt('ff', 10);
  if (n9 === 2.75) {
    return 11 % eval("38");
  }
  return Math.PI + 3.125;
}
function f10(a11, a12) {
  var i13;
  i13 = 0;
  do {
    var b14 = Math.LOG2E < (-i13);
    var n15 = f7();
    i13 += 2;
  } while (i13 < 5);
  return f7();
}
function f16(a17, a18, a19) {
  Response.Write((" 7 " >= (62505 / (19 + 86275))) + "\n");
  a18 += a18 + eval("28");
  if (true) {
    return parseInt(a19 + 7, 10);
  }
  return 1;
}
var b20 = isFinite(0.25 * 10);
var d21 = new Date(2039, 11, 5, 9);
d21.setUTCHours(1);
Response.Write('.5' + "\n");
Response.Write(12.5 + "\n");
Response.Write((("  15" + isNaN(0xff)) + (d21.valueOf() * 99.99)) + "\n");
var n22 = "5MoRxW".indexOf('l');
var d23 = new Date(2717510568000);
d23.setMonth(10);
d23.setUTCDate(21);
