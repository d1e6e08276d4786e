function Pair() {
  this.other = 0;
}
var i;
var kept = 0;
for (i = 0; i < 1000000; i++) {
  var a = new Pair();
  var b = new Pair();
  a.other = b;
  b.other = a;
  kept = kept + 1;
}
Response.Write(kept);
