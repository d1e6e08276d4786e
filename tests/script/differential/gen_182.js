function f1(a2) {
  var i3;
  i3 = 3;
  while (i3 < 10) {
    a2 = a2;
    var s4 = 'a-b-c';
    var n5 = ".5" - 4;
    i3 += 2;
  }
  if (!true) {
    return 1e3;
  }
  return n5;
}
function f6(a7) {
  if ('ec' < "") {
    return a7 + (a7 / a7);
  }
  return a7;
}
var n8 = -eval("24");
var n9 = f6(Math.log(n8)) - n8;
Response.Write((n9 / n8) + "\n");
var d10 = new Date(Date.UTC(2023, 10, 25, 3, 3, 8));
n8 += n8;
if (true) {
  if ('12' !== (94071 - n8)) {
    Response.Write(('ff' + parseInt("0x10", 10)) + "\n");
  }
} else {
  var n11 = -n8;
}
