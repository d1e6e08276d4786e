function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5) {
  this.x = a4;
  this.y = a5;
}
function f6(a7) {
  if (a7 < a7) {
    return -".5".charCodeAt(8);
  }
  return (-74466) + a7;
}
function f8(a9) {
  var b10 = ('gamma' + (0 % 11)) > "".slice(10, 5);
  var n11 = -'9q'.replace(' ', "__").length;
  var b12 = '-0' < (f6(n11) / (64896 / 12));
  if (true) {
    return "JD.";
  }
  return "mF0".replace("a", 'XY');
}
function f13() {
  Response.Write(((('ff' != '1e3') || (7 === 0.1)) || ((typeof 'gamma') < String.fromCharCode(119, 113))) + "\n");
  Response.Write(false + "\n");
  return eval("19 + 46");
}
var s14 = f8("  15" == 'AjW4!'.indexOf('1'));
s14 = s14.replace('A', "");
var o15 = new Object;
o15.label = f8('a-b-c' <= s14);
o15.label = s14;
o15.label = '5.';
var o16 = new Object;
o16.label = "q!?".charAt(3) + (0 + 0.3);
o16.q = f8(false).length;
o16.label = s14;
if ("6".lastIndexOf("-") > f6(4)) {
  if (!isNaN(0.3)) {
    Response.Write((f13() != 7) + "\n");
  }
} else {
  var b17 = true;
}
Response.Write(s14 + "\n");
s14 += "10";
