function P1(a1, a2) {
  this.x = a1;
  this.y = a2;
}
function P2(a3, a4) {
  this.x = a3;
  this.y = a4;
}
function f5(a6) {
  Response.Write((typeof 1e3) + "\n");
  a6 = a6;
  var n7 = Math.SQRT1_2;
  return n7;
}
var n8 = "world".indexOf('b', 0.5) + (eval("42") % Math.atan(0.1));
Response.Write(Math.abs((n8 / 0xff) / n8) + "\n");
Response.Write(String(n8) + "\n");
var s9 = 'Hello'.charAt(34992) + n8;
Response.Write(false + "\n");
Response.Write("alpha" + "\n");
if (isFinite(12.5) && (n8 < n8)) {
  if ((n8 !== n8) && (false && false)) {
    if (s9 > s9.substring(12, 5)) {
      Response.Write(String.fromCharCode(75, 73) + "\n");
      var b10 = false;
      Response.Write('' + "\n");
    }
  } else {
    if ((n8 < 1) || (true && false)) {
      var s11 = "";
      var n12 = n8;
    } else {
      Response.Write(parseInt(s9.substring(4, 11) + s11.charCodeAt(11), 10) + "\n");
    }
    Response.Write("delta" + "\n");
  }
  if (true) {
    Response.Write((-n12) + "\n");
    var i13;
    for (i13 = 2; i13 < 10; i13++) {
      if (!b10) {
        continue;
      }
      var n14 = parseFloat("0x10");
    }
    var n15 = Math.abs(n8) + i13;
  } else {
    Response.Write(Math.floor((n15 % n12) + eval("n8")) + "\n");
    var i16;
    i16 = 2;
    while (i16 < 8) {
      Response.Write(isNaN(typeof (n15 / i13)) + "\n");
      i16++;
    }
  }
  var n17 = i13;
}
