var n1 = 13 * 13;
var n2 = Math.acos((0.25 + 29220) - (n1 / n1));
var o3 = new Object();
o3.w = n2;
o3.p = n2 / 0.25;
var o4 = new Object;
o4.label = String.fromCharCode(70, 84, 85);
o4.p = ':k1fH5E' - 1;
o4.w = -Math.ceil(0.25);
n2--;
if ((false || false) && (!false)) {
  var b5 = '.5'.charCodeAt(9) < o3.w;
  Response.Write(('abc' !== (-(n2 / n1))) + "\n");
  n2 -= parseInt('42abc', 16) - (n2 * 1);
} else {
  var n6 = o4.p;
}
Response.Write((typeof n1) + "\n");
Response.Write('abc'.toUpperCase() + "\n");
n6 = -n2;
