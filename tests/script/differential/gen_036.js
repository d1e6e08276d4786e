Response.Write((37606 + (('ff' * 4) * 12)) + "\n");
var n1 = -(-'q-B'.indexOf('o'));
var n2 = "ff".toLowerCase().lastIndexOf("l", 3);
Response.Write('0.125'.toUpperCase() + "\n");
n1 += ("-3.5" + n2) * 4;
Response.Write('255' + "\n");
Response.Write(false + "\n");
