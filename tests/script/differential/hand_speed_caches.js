var x = "global";
function f(code) {
  var r = "";
  var i;
  for (i = 0; i < 4; i++) {
    r = r + x + " ";
    if (i == 1) {
      eval(code);
    }
  }
  return r;
}
Response.Write(f("var x = 'local';") + "| " + f("var y = 1;") + "| " + x + "\n");
function First(a, b) {
  this.a = a;
  this.b = b;
}
function Second(a, b) {
  this.b = b;
  this.a = a;
  this.c = a + b;
}
var list = new Object();
var i;
for (i = 0; i < 8; i++) {
  if (i % 3 == 0) {
    list["n" + i] = new First(i, 10 * i);
  } else {
    list["n" + i] = new Second(i, 10 * i);
  }
}
var text = "";
for (i = 0; i < 8; i++) {
  var it = list["n" + i];
  text = text + it.a + "/" + it.b + " ";
  it.b = it.a;
  it.d = i;
}
for (i = 0; i < 8; i++) {
  var again = list["n" + i];
  text = text + again.b + again.d + " ";
}
Response.Write(text + "\n");
function left(p) {
  var q = p * 2;
  return q + 1;
}
function right(q) {
  var p = q * 3;
  return p - 1;
}
var total = 0;
for (i = 0; i < 50; i++) {
  total = total + left(i) * 1000 + right(i);
}
Response.Write(total + "\n");
var shadow = 5;
function outer() {
  var result = "";
  var k;
  for (k = 0; k < 3; k++) {
    result = result + shadow + " ";
    if (k == 0) {
      shadow = shadow + 1;
    }
  }
  var inner = new Object();
  inner.shadow = 100;
  return result;
}
Response.Write(outer() + shadow + "\n");
var o = new Object();
o.value = 1;
var seen = "";
for (i = 0; i < 3; i++) {
  seen = seen + o.value + " ";
  o = new Object();
  o.other = 0;
  o.value = i * 7;
}
Response.Write(seen + "\n");
