function f1() {
  var b2 = isNaN(('.5' + 84886) + (67923 === 1));
  if (b2) {
    var s3 = (("world" + .5) + ''.toLowerCase()) + 'ff'.toUpperCase();
  } else {
    var s4 = s3;
  }
  var b5 = "5." !== eval("46 * 48");
  if (b2) {
    return (2.75 / 4) - Math.ceil(12.5);
  }
  return String(13).charCodeAt(4);
}
function f6(a7, a8, a9) {
  var b10 = !("007" !== (-96568));
  Response.Write(f1() + "\n");
  var n11 = Math.min(5, 1.5);
  if ("Hello" != a9) {
    return Math.LN2;
  }
  return n11;
}
function f12(a13, a14) {
  return 'LG3Xa' + ('mIxEd' + a13);
}
var s15 = 'q!?';
Response.Write(14 + "\n");
var n16 = f1();
Response.Write((f12(n16 == n16, n16 - 2.75) + s15) + "\n");
n16 *= parseInt(s15.charAt(11), 10);
var b17 = (0.2 + n16) === n16;
n16 -= parseFloat('+8');
var b18 = !(!(b17 || false));
var d19 = new Date(2018, 11, 28, 21, 31, 31);
d19.setUTCMinutes(45);
var d20 = new Date(Date.UTC(2084, 7, 20, 23, 52));
d20.setMonth(2);
d20.setUTCMinutes(69);
var n21 = n16 + (n16 - ('abc' - 5));
