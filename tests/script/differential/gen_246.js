Response.Write(13 + "\n");
var n1 = '5.'.charCodeAt(-1);
var s2 = ('00K9hdr' + (8 * n1)) + "10".charAt(1);
n1++;
var d3 = new Date(2062, 1, 19, 16, 55, 10);
var b4 = isNaN(s2.toUpperCase());
var d5 = new Date(2073, 8, 17, 9);
d5.setUTCSeconds(10);
d5.setUTCHours(11);
