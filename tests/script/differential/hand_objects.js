function Account(owner, balance) {
  this.owner = owner;
  this.balance = balance;
  this.deposit = accountDeposit;
  this.describe = accountDescribe;
}
function accountDeposit(amount) {
  this.balance = this.balance + amount;
  return this.balance;
}
function accountDescribe() {
  return this.owner + ": " + this.balance;
}
var a = new Account("ann", 100);
var b = new Account("bob", 5.5);
a.deposit(25);
b.deposit(a.deposit(1));
Response.Write(a.describe() + "\n" + b.describe() + "\n");
var list = new Object();
list.count = 0;
list.text = "";
var i;
for (i = 0; i < 6; i++) {
  list.count++;
  list.text = list.text + "[" + i * i + "]";
}
Response.Write(list.count + " " + list.text + "\n");
function makeAdder(n) {
  function add(x) {
    return x + n;
  }
  return add;
}
var add5 = makeAdder(5);
var add10 = makeAdder(10);
Response.Write(add5(1) + " " + add10(1) + " " + add5(add10(100)) + "\n");
function Node(value, next) {
  this.value = value;
  this.next = next;
}
var head = new Node(1, 0);
head = new Node(2, head);
head = new Node(3, head);
var sum = 0;
var n = head;
var steps = 0;
while (steps < 3) {
  sum = sum + n.value;
  if (steps < 2) {
    n = n.next;
  }
  steps++;
}
Response.Write(sum + " " + typeof head + " " + typeof add5 + " " + typeof head.value + "\n");
var r = eval("sum * 2 + list.count");
Response.Write(r + " " + eval("'x' + r") + "\n");
