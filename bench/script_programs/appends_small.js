var text = "";
var i;
for (i = 0; i < 100000; i++) {
  text += "ab";
}
Response.Write(text.length);
