var Response = { Write: function (x) { print(x); } };
