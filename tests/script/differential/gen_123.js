Response.Write(eval("8") + "\n");
var n1 = eval("25 * 21") + (1.5 % 'zz'.charCodeAt(5));
var s2 = '';
var b3 = ('007' > (n1 + n1)) || (!("" === 11));
var b4 = b3;
Response.Write((b3 || isNaN(parseInt(s2, 10))) + "\n");
n1 *= n1;
