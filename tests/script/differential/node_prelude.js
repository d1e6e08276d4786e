var Response = { Write: function (x) { process.stdout.write(String(x)); } };
