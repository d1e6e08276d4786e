function P1(a1, a2, a3) {
  this.x = a1;
  this.y = a2;
  this.name1 = a3;
}
var d4 = new Date(Date.UTC(2038, 8));
d4.setUTCHours(11);
Response.Write((!("dIo61F\n".replace("ab", "o") === 'ff')) + "\n");
var n5 = d4.getFullYear() * ((15 - 7) * 76246);
var n6 = n5;
Response.Write(('0x10' === d4.getTime()) + "\n");
Response.Write('Beta' + "\n");
var b7 = isFinite(0) && (true && ("ZI_A-Dno\"" <= 'aVp\\'));
var d8 = new Date(2005, 11, 25, 3, 27, 58);
