var s1 = 'x'.slice(2) + (!(.5 !== 0.5));
s1 += String('255'.lastIndexOf('A'));
s1 += 'r7sUYHw!' + (s1 + true);
var d2 = new Date(Date.UTC(2002, 8, 17));
d2.setUTCHours(6);
d2.setUTCMonth(9);
s1 += s1;
Response.Write(isFinite(s1) + "\n");
