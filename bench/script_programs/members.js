function Point(x, y) {
  this.x = x;
  this.y = y;
  this.label = "p";
  this.weight = 1;
}
var points = new Object();
points.first = new Point(1, 2);
points.second = new Point(3, 4);
var acc = new Object();
acc.sum = 0;
acc.count = 0;
var i;
for (i = 0; i < 30000; i++) {
  points.first.x = points.first.x + 1;
  points.second.y = points.second.y + points.first.weight;
  acc.sum = acc.sum + points.first.x - points.second.y;
  acc.count++;
}
Response.Write(acc.sum + " " + acc.count + " " + Math.floor(acc.sum / acc.count));
