var n1 = parseInt(('12' + false) + '.5', 10);
if ('.5' >= parseInt('42abc', 16)) {
  Response.Write('jx'.toLowerCase() + "\n");
  Response.Write(n1 + "\n");
} else {
  n1++;
  n1 = n1;
}
Response.Write(n1 + "\n");
var b2 = false;
n1 *= n1;
n1 += Math.round(n1) + (-0.5);
n1 = n1;
