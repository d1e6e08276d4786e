var n = null;
Response.Write("" + null + " " + ("" + n) + " " + (n + "!") + " " + typeof null + " " + typeof n + "\n");
Response.Write(String(null) + " " + parseInt(null) + " " + parseFloat(n) + " " + isNaN(null) + " " + isFinite(n) + "\n");
Response.Write(Math.max(null, -1) + " " + Math.abs(n) + " " + (null + 1) + " " + (n * 3) + " " + (-n) + "\n");
Response.Write(null);
Response.Write(n);
Response.Write("\n");
Response.Write(!null + " " + !!n + " " + (n == null) + "\n");

var a = null; a++;
var b = null; ++b;
var c = null; c--;
var d = null; d += 2;
var e = null; e += "x";
Response.Write(a + " " + b + " " + c + " " + d + " " + e + "\n");

var o = new Object();
o.p = null;
function same(x) { return x; }
function none() { return null; }
Response.Write(o.p + " " + typeof o.p + " " + same(null) + " " + none() + " " + typeof none() + "\n");
var text = "";
var count = null;
for (var i = 0; i < 5; i++) {
  var v = null;
  text += v;
  count++;
}
Response.Write(text + " " + count + "\n");
if (null) Response.Write("true\n"); else Response.Write("false\n");
