var o = new Object();
o.a = 1;
o.b = o.a;
var u;
function f() { return 2; }
Response.Write(typeof o.missing + " " + typeof o.a + " " + typeof o.b + " " + typeof o + " " + typeof u + " " + typeof f + "\n");
Response.Write(typeof "s" + " " + typeof 1.5 + " " + typeof true + " " + typeof o.missing + " " + o.a + "\n");
function undeclaredInside() {
  return typeof neverDeclaredInside;
}
Response.Write(typeof neverDeclaredAnywhere + " " + undeclaredInside() + " " + typeof neverDeclaredAnywhere + "\n");
