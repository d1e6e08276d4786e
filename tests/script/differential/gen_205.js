if (true) {
  var n1 = Math.max(12.5, 15);
  Response.Write('?Fe2WdU'.toUpperCase() + "\n");
}
var d2 = new Date(Date.UTC(2079, 8, 5, 9, 27));
d2.setUTCSeconds(5);
d2.setUTCMonth(1);
Response.Write((-"world".charCodeAt(20)) + "\n");
Response.Write((n1 !== '1e3'.slice(0).indexOf('A', 11)) + "\n");
Response.Write("q!?" + "\n");
var n3 = 2;
var n4 = n1;
n3 = n1;
var d5 = new Date(Date.UTC(2091, 3, 23, 16, 35));
d5.setUTCHours(30);
var n6 = Math.acos(eval("41")) % n1;
Response.Write(((typeof d2.valueOf()) + ("  15".charCodeAt(-2) % (4 - n4))) + "\n");
var n7 = n6;
