var n1 = '+8' - 2;
var n2 = n1;
n2++;
Response.Write(n1 + "\n");
Response.Write((true && ((false && false) || ('abc' <= 'm'))) + "\n");
Response.Write(n2 + "\n");
