var n1 = 39616;
var b2 = (false && (true && false)) || (!(true || true));
n1--;
Response.Write(String.fromCharCode(87) + "\n");
Response.Write(((eval("36") + n1) - eval("4")) + "\n");
Response.Write('ABC'.replace(' ', '') + "\n");
Response.Write((0.001 !== 18) + "\n");
var s3 = String(parseFloat('gamma') / 17486);
