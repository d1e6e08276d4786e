var total = 0;
var i;
var j;
for (i = 0; i < 3000; i++) {
  j = 0;
  while (j < 100) {
    if (j % 3 == 0) {
      total = total + j;
    } else {
      total = total - 1;
    }
    j++;
  }
}
Response.Write(total);
