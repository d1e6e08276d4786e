function show(x) {
  Response.Write(x + ": round " + Math.round(x) + " floor " + Math.floor(x) + " ceil " + Math.ceil(x) + " abs " + Math.abs(x) + "\n");
}
show(-3.5);
show(-2.5);
show(-2.4999);
show(-1.5);
show(-0.5);
show(-0.2);
show(0);
show(0.2);
show(0.5);
show(0.49999);
show(1.5);
show(2.5);
show(3.5);
show(1e10 + 0.5);
show(-1e10 - 0.5);
Response.Write(Math.max(3, 7) + " " + Math.min(3, 7) + " " + Math.max(-1, -2) + " " + Math.min(-1, -2) + "\n");
Response.Write(Math.pow(2, 10) + " " + Math.pow(2, -2) + " " + Math.pow(10, 3) + " " + Math.pow(-2, 3) + " " + Math.sqrt(144) + " " + Math.sqrt(2.25) + "\n");
Response.Write(Math.floor(7 / 2) + " " + Math.ceil(7 / 2) + " " + Math.round(7 / 2) + " " + Math.floor(-7 / 2) + " " + Math.round(-7 / 2) + "\n");
Response.Write(Math.round(1 / 0) + " " + Math.floor(-1 / 0) + " " + Math.abs(-1 / 0) + " " + isNaN(Math.round(0 / 0)) + "\n");
var r = Math.random();
Response.Write((r >= 0) + " " + (r < 1) + "\n");
Response.Write(Math.round(Math.PI * 1000) + " " + Math.round(Math.E * 1000) + " " + Math.round(Math.SQRT2 * 1000) + " " + Math.round(Math.LN2 * 1000) + "\n");
Response.Write(Math.floor(123.456 * 100) / 100 + " " + Math.round(2.675 * 100) + " " + Math.round(-0.0001) + "\n");
