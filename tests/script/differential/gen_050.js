Response.Write(('h'.replace('l', '') + (eval("25") - (0xff - 20))) + "\n");
var o1 = new Object();
o1.p = "abc".lastIndexOf("A", 7);
var s2 = "q!?";
var b3 = !((7 - 12) == Math.log(99.99));
var b4 = (8 != 2.75) || (isFinite(s2) || (0.2 >= 7));
s2 += ('e9z' + "ABC") + s2;
var n5 = 10;
if ('3.25' > parseInt('-3.5', 16)) {
  Response.Write((-n5) + "\n");
  var n6 = n5;
} else {
  Response.Write('10' + "\n");
  var i7;
  i7 = 2;
  while (i7 < 4) {
    var b8 = false;
    n6 *= n5;
    i7++;
  }
}
