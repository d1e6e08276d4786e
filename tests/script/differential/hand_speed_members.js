function First(a, b) {
  this.a = a;
  this.b = b;
}
function Second(a, b) {
  this.b = b;
  this.a = a;
}
var items = new Object();
var i;
for (i = 0; i < 6; i++) {
  if (i % 2 == 0) {
    items["x" + i] = new First(i, i * 10);
  } else {
    items["x" + i] = new Second(i, i * 10);
  }
}
var sum = 0;
for (i = 0; i < 6; i++) {
  sum = sum + items["x" + i].a * 100 + items["x" + i].b;
  items["x" + i].c = i;
}
Response.Write(sum + "\n");
var o = new Object();
o.one = 1;
o.two = 2;
var p = new Object();
p.two = 20;
p.one = 10;
p.three = 30;
Response.Write(o.one + o.two + " " + (p.one + p.two + p.three) + "\n");
function Chain(next) {
  this.next = next;
  this.value = 1;
}
var head = 0;
for (i = 0; i < 50; i++) {
  head = new Chain(head);
}
var walked = 0;
var node = head;
for (i = 0; i < 50; i++) {
  walked = walked + node.value;
  node = node.next;
}
Response.Write(walked + " " + typeof node + "\n");
var left = new Object();
var right = new Object();
left.other = right;
right.other = left;
left.name = "left";
right.name = "right";
Response.Write(left.other.other.name + " " + right.other.name + "\n");
