var s = "a b&c=d/e?f:g@h+i$j,k";
Response.Write(encodeURIComponent(s) + "\n");
Response.Write(encodeURI(s) + "\n");
Response.Write(encodeURIComponent("it's (fine)! *~_.-") + " " + encodeURIComponent("") + "\n");
Response.Write(encodeURI("http://example.org/a path/x.html?q=1&r=2") + "\n");
Response.Write(decodeURIComponent("a%20b%26c%3Dd%2Fe") + " " + decodeURIComponent("%41%42%43") + "\n");
Response.Write(decodeURI("plain/text?x=1") + "\n");
Response.Write(decodeURIComponent(encodeURIComponent("<tag> \"quoted\" 100%")) + "\n");
Response.Write(encodeURIComponent(12.5) + " " + encodeURIComponent(true) + "\n");
