var s = "Hello, World";
Response.Write(s.length + " " + s.charAt(4) + " " + s.charAt(99) + "|" + s.charCodeAt(0) + " " + s.charCodeAt(-1) + "\n");
Response.Write(s.indexOf("o") + " " + s.indexOf("o", 5) + " " + s.indexOf("z") + " " + s.lastIndexOf("o") + " " + s.lastIndexOf("o", 7) + "\n");
Response.Write(s.slice(7) + "|" + s.slice(-5) + "|" + s.slice(2, 5) + "|" + s.slice(5, 2) + "|" + s.slice(-5, -2) + "\n");
Response.Write(s.substring(7) + "|" + s.substring(5, 2) + "|" + s.substring(-3, 4) + "|" + s.substring(4, 99) + "\n");
Response.Write(s.toUpperCase() + " " + s.toLowerCase() + "\n");
Response.Write("aXbXc".replace("X", "-") + " " + s.replace("World", "there") + " " + s.replace("nothing", "x") + "\n");
Response.Write(String.fromCharCode(72, 105, 33) + " " + String(42) + " " + String(1.5) + " " + String(true) + "\n");
Response.Write("abc".toString() + " " + "abc" + 1 + 2 + " " + (1 + 2 + "abc") + "\n");
Response.Write("tab quote\' dq\" backslash\\ end\n");
var t = "";
var k;
for (k = 0; k < 5; k++) {
  t = t + String.fromCharCode(97 + k) + k;
}
Response.Write(t + " " + t.length + "\n");
Response.Write(("b" > "a") + " " + ("B" > "a") + " " + ("abc" < "abd") + " " + ("10" < "9") + " " + ("10" < 9) + "\n");
Response.Write(("5" * "4") + " " + ("12" - 2) + " " + ("3" + 4) + " " + (" 12 " / 4) + " " + ("0x10" * 1) + "\n");
