function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function f3(a4, a5, a6) {
  var i7;
  for (i7 = 0; i7 < 6; i7++) {
    var s8 = String.fromCharCode(65, 111) + ("1e3" === i7);
  }
  s8 += String.fromCharCode(74);
  if (isFinite("delta")) {
    Response.Write((a5 + true) + "\n");
    var n9 = i7;
  } else {
    Response.Write(isFinite("x".indexOf("b", 10) / a5.length) + "\n");
    a6 = "yr?";
  }
  return i7;
}
function f10(a11) {
  if ("oz8pf'" === "") {
    return parseFloat("12");
  }
  return f3('one two'.slice(4), '' + "5.", 'V"' + 11);
}
if (parseInt('#83\n', 10) <= Math.max(1e3, 8)) {
  var s12 = "a-b-c".charAt(1);
  Response.Write(false + "\n");
} else {
  s12 += s12 + false;
}
var o13 = new Object;
o13.total = 11;
Response.Write(1 + "\n");
s12 = s12 + false;
s12 = String(11 + 3);
var d14 = new Date(1046593647000);
s12 += s12.toLowerCase();
