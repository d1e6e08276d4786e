var text = "";
var i;
var found = 0;
for (i = 0; i < 20000; i++) {
  text = text + String.fromCharCode(97 + i % 26);
  if (i % 100 == 99) {
    found = found + text.indexOf("xyz", i - 99);
    text = text.substring(50) + text.charAt(3).toUpperCase();
  }
}
Response.Write(text.length + " " + found);
