Response.Write(parseInt("42", 10) + " " + parseInt("  -17abc", 10) + " " + parseInt("abc", 10) + " " + parseInt("", 10) + "\n");
Response.Write(parseInt("0x1F", 16) + " " + parseInt("-0x1F", 16) + " " + parseInt("ff", 16) + " " + parseInt("FFz", 16) + " " + parseInt("g", 16) + "\n");
Response.Write(parseInt("12.9", 10) + " " + parseInt("1e3", 10) + " " + parseInt("123456789012", 10) + " " + parseInt(" +5", 10) + "\n");
Response.Write(parseInt(255.9, 10) + " " + parseInt("7fffffff", 16) + " " + parseInt("100000000", 16) + "\n");
Response.Write(parseFloat("3.25") + " " + parseFloat("  -1.5e3x") + " " + parseFloat(".5") + " " + parseFloat("1e") + " " + parseFloat("abc") + " " + parseFloat("-.25") + "\n");
Response.Write(isNaN("abc") + " " + isNaN("12") + " " + isNaN(0 / 0) + " " + isNaN(" ") + " " + isNaN(parseInt("x", 10)) + "\n");
Response.Write(isFinite(1) + " " + isFinite(1 / 0) + " " + isFinite("12") + " " + isFinite("x") + "\n");
var n = parseInt("  99 bottles", 10);
while (n > 95) {
  Response.Write(n + " ");
  n--;
}
Response.Write("\n");
