function f1(a2) {
  var n3 = 16;
  if (isNaN(a2)) {
    return eval("26") + a2.length;
  }
  return 7989;
}
function f4() {
  var n5 = f1('.5'.slice(-2, 5) + (7 - .5));
  var n6 = n5;
  Response.Write((" 7 " < (-14)) + "\n");
  return '' + ("delta" == "ABC");
}
Response.Write((String.fromCharCode(116) === '-3.5') + "\n");
Response.Write(String.fromCharCode(82, 84) + "\n");
Response.Write((Math.floor(598) >= ("Ecb".length + 20)) + "\n");
var n7 = 'x:'.length;
var n8 = n7;
var b9 = (('-3.5' + n8) + ("Hello" > '23#4_yOu')) === "0.125".toLowerCase();
var n10 = n7 * ('abc'.indexOf("o") + f1("mIxEd"));
var n11 = (n8 % f1("ABC")) + (-(18 + 10698));
