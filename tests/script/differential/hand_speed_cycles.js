function Pair(name) {
  this.name = name;
  this.other = 0;
}
function makeGetter(start) {
  var value = start;
  function get() {
    value = value + 1;
    return value;
  }
  var box = new Object();
  box.get = get;
  box.self = box;
  return box;
}
var kept = new Object();
kept.count = 0;
kept.last = 0;
var total = 0;
var i;
for (i = 0; i < 12000; i++) {
  var a = new Pair("a" + i);
  var b = new Pair("b" + i);
  a.other = b;
  b.other = a;
  var g = makeGetter(i);
  total = total + g.get() - i;
  if (i % 1000 == 0) {
    var keep = new Object();
    keep.pair = a;
    keep.getter = g;
    keep.previous = kept.last;
    kept.last = keep;
    kept.count++;
  }
}
var text = "";
var walk = kept.last;
var sum = 0;
while (kept.count > 0) {
  text = text + walk.pair.other.other.name + ":" + walk.pair.other.name + " ";
  sum = sum + walk.getter.get();
  walk = walk.previous;
  kept.count--;
}
Response.Write(total + " " + sum + "\n" + text + "\n");
