var b1 = !(0.1 != 50690);
Response.Write((isFinite(0.1) || isNaN(parseInt('  15', 10))) + "\n");
Response.Write((''.toUpperCase() + (typeof '-d tyhT.')) + "\n");
Response.Write(((String(39556) + (true && b1)) + 14) + "\n");
Response.Write(((-(11 + 5)) / 'n#Z"'.length) + "\n");
var n2 = 0.25;
var s3 = "10";
var d4 = new Date(2094, 3);
n2 *= n2;
