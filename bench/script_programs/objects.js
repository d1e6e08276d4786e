function Item(value, next) {
  this.value = value;
  this.next = next;
}
var head = new Item(0, 0);
var i;
for (i = 1; i < 200000; i++) {
  head = new Item(i % 1000, head);
}
var sum = 0;
var n = head;
var count = 0;
while (count < 199999) {
  sum = sum + n.value;
  n = n.next;
  count++;
}
Response.Write(sum + " " + count);
