Response.Write(parseInt('007', 10) + "\n");
var n1 = 0.2;
Response.Write(((-'q2'.length) != Math.floor('one two'.length)) + "\n");
var n2 = n1;
var s3 = "0x1F".replace(' ', '__') + String.fromCharCode(108);
Response.Write(s3 + "\n");
var d4 = new Date(824594591000);
