function f1(a2, a3) {
  var n4 = a2 % 'one two'.charCodeAt(9);
  return "AbCdEf".substring(1.5e-4, 6);
}
Response.Write((typeof 14) + "\n");
var n5 = String.fromCharCode(91).length;
var d6 = new Date(2049, 10, 3, 12, 0, 23, 629);
d6.setUTCHours(16);
d6.setUTCSeconds(5);
Response.Write(f1('world'.charCodeAt(2) / n5, true) + "\n");
var n7 = -d6.getUTCDate();
var d8 = new Date(1392296591000);
d8.setUTCMinutes(56);
d8.setUTCFullYear(1985);
var n9 = d6.getUTCDate();
var s10 = "one two";
Response.Write('world'.indexOf('o', parseFloat("-0")) + "\n");
var n11 = 6289;
Response.Write((!(n7 >= parseFloat(''))) + "\n");
var d12 = new Date(Date.UTC(2097, 1, 4, 0));
d12.setUTCDate(3);
var s13 = typeof s10.replace("ll", 'o');
var n14 = n5;
if (isNaN(s10.indexOf('b'))) {
  var b15 = !true;
} else {
  n14 *= s13.toUpperCase().indexOf("o", -1);
}
var s16 = String.fromCharCode(102, 110, 99) + f1(n14, '1.5e-3' == 1);
