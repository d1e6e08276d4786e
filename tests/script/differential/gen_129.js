function f1(a2, a3, a4) {
  Response.Write(('  15' !== a3) + "\n");
  Response.Write(Math.pow(a4, 0) + "\n");
  if (isFinite(0.3)) {
    return ('kZfzWb#P' + 12.5) + (0.1 / 3109);
  }
  return "xmUd3" + false;
}
var o5 = new Object();
o5.q = 93312;
Response.Write(((String.fromCharCode(67) + ('' != 99.99)) + (Math.atan2(0.001, 16) != (5 * 0.5))) + "\n");
Response.Write((!isNaN(8 + 82847)) + "\n");
Response.Write(20 + "\n");
Response.Write((parseFloat('.5') < ((7 / 19) - 15)) + "\n");
var b6 = false;
Response.Write(isNaN(String.fromCharCode(95, 111, 97)) + "\n");
