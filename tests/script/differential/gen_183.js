var b1 = 5326 >= 0;
var n2 = (Math.SQRT1_2 + 'delta'.indexOf('1')) + Math.asin(Math.LOG10E);
if (b1) {
  Response.Write(String.fromCharCode(103) + "\n");
}
Response.Write("1e3" + "\n");
var o3 = new Object();
o3.total = '1e3'.indexOf("1") + ("" * 5);
n2 = o3.total / (n2 + 30061);
Response.Write(("slf".toUpperCase() + '-3.5') + "\n");
Response.Write('  15' + "\n");
var o4 = new Object;
o4.q = eval("n2 * n2");
var o5 = new Object;
o5.q = n2;
o5.total = o4.q;
if ('+8' != o4.q) {
  n2--;
  if ((0xff / n2) === '-3.5'.length) {
    Response.Write('f' + "\n");
  } else {
    n2 = n2;
  }
}
var b6 = "0x10" == Math.PI;
Response.Write('Beta'.charAt(9).length + "\n");
