Response.Write(true + "\n");
var b1 = true;
var n2 = 6;
Response.Write(((n2 != n2) || isNaN(String.fromCharCode(79))) + "\n");
var o3 = new Object();
o3.w = 0.5 - (-0.3);
Response.Write(b1 + "\n");
