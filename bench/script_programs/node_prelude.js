var print = function (x) { process.stdout.write(String(x) + "\n"); };
