function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
function P2(a4, a5, a6) {
  this.x = a4;
  this.y = a5;
  this.name1 = a6;
}
var n7 = "3.25".toUpperCase().indexOf("-");
n7 += Math.min(16, Math.log(16));
Response.Write("10".charAt(1).lastIndexOf('b', -1) + "\n");
Response.Write('gamma'.indexOf(" ") + "\n");
var d8 = new Date(3087092849000);
d8.setDate(5);
d8.setUTCSeconds(64);
n7 = n7;
var n9 = 3;
Response.Write("mIxEd".substring(0, n9) + "\n");
var n10 = d8.getUTCDay();
Response.Write((!false) + "\n");
Response.Write(true + "\n");
n7--;
