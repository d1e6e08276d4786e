function f1(a2) {
  return 0.1;
}
var b3 = isNaN(f1(!false));
var s4 = String(0.2 + 12.5) + b3;
var n5 = 20231 / ((-0x1F) / 0.25);
var n6 = String(f1(b3)).charCodeAt(1);
var n7 = s4.replace('l', '__').indexOf('a');
var s8 = s4.toLowerCase();
Response.Write('255'.charCodeAt(4) + "\n");
var n9 = Math.max(f1(b3), n5) - s4.length;
s4 = s4 + isFinite(0.5);
