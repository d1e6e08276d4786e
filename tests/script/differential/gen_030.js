function f1(a2) {
  Response.Write((((!false) && ('1e3' >= 12)) && (String.fromCharCode(105) === String.fromCharCode(119, 83, 96))) + "\n");
  Response.Write("12" + "\n");
  return parseInt('abc', 16);
}
function f3(a4, a5) {
  var i6;
  for (i6 = 1; i6 < 5; i6++) {
    if (!false) {
      continue;
    }
    Response.Write(false + "\n");
  }
  return parseFloat("42abc");
}
function f7(a8, a9) {
  var i10;
  i10 = 1;
  do {
    if (isNaN(a8)) {
      break;
    }
    i10++;
  } while (i10 < 4);
  a8 = a8;
  var s11 = a8;
  if ('007' < 2) {
    return i10;
  }
  return "12".lastIndexOf(" ");
}
var b12 = 'delta' <= 'OMkn1je'.charAt(0);
var s13 = 'I9pl';
s13 = s13.toLowerCase();
var d14 = new Date(2003, 8, 17, 10, 9, 59);
d14.setUTCFullYear(1985);
var n15 = parseInt("-3.5", 16);
Response.Write((s13 != s13) + "\n");
s13 += String.fromCharCode(74, 76);
