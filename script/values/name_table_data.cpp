// The script name table as constant data: the pool of atom texts (2519
// UTF-16 units, no separators), the table of 322 offsets into it, and the
// literal text of the value store kept behind it. Atom n is the text from
// offset n to offset n + 1; the entries of 318 to 321 are 0, so 317 (whose
// end lies below its start) and 318 to 320 are empty, like the atoms whose
// two offsets are equal. Written from the atom list, one atom a line.
#include "script/values/name_table.h"

extern const WCHAR kScriptAtomPool[kScriptAtomPoolLength + 1] =
    u"break"  // 1
    u"else"  // 2
    u"switch"  // 3
    u"case"  // 4
    u"return"  // 5
    u"continue"  // 6
    u"for"  // 7
    u"void"  // 8
    u"default"  // 9
    u"do"  // 10
    u"if"  // 11
    u"while"  // 12
    u"this"  // 13
    u"new"  // 14
    u"delete"  // 15
    u"typeof"  // 16
    u"function"  // 17
    u"var"  // 18
    u"true"  // 19
    u"false"  // 20
    u"__litteralstr"  // 21
    u"document"  // 23
    u"bookmarks"  // 24
    u"window"  // 25
    u"history"  // 26
    u"cart"  // 27
    u"selection"  // 28
    u"location"  // 29
    u"hash"  // 30
    u"voice"  // 31
    u"index"  // 32
    u"audio"  // 33
    u"BUL_CROSS_RED"  // 34
    u"BUL_CHECK_GREEN"  // 35
    u"BUL_BLUE"  // 36
    u"BUL_HOSPITAL"  // 37
    u"TYPE_STRING"  // 38
    u"TYPE_POOLED_STRING"  // 39
    u"TYPE_UBYTE"  // 40
    u"TYPE_UINT"  // 41
    u"navigator"  // 43
    u"device"  // 44
    u"open"  // 46
    u"close"  // 47
    u"increase_font"  // 48
    u"decrease_font"  // 49
    u"goto_page"  // 50
    u"goto_page_relative"  // 51
    u"goto_first_page"  // 52
    u"goto_last_page"  // 53
    u"goto_toc"  // 54
    u"goto_guide"  // 55
    u"search"  // 56
    u"add"  // 57
    u"display_list"  // 58
    u"previous"  // 59
    u"next"  // 60
    u"back"  // 61
    u"forward"  // 62
    u"goto"  // 63
    u"browse"  // 64
    u"display_tip"  // 65
    u"play_music"  // 66
    u"start_recorder"  // 67
    u"play_music_ex"  // 68
    u"index_search"  // 69
    u"move_table"  // 70
    u"display_bookmark_tip"  // 71
    u"filtered_index_search"  // 72
    u"edit"  // 73
    u"Removeremove"  // 74
    u"dial"  // 76
    u"reset"  // 77
    u"submit"  // 78
    u"cond_index_search"  // 79
    u"copy"  // 81
    u"highlight"  // 82
    u"annotate"  // 83
    u"lookup"  // 84
    u"start_popup_viewer"  // 85
    u"start_external_app"  // 86
    u"open_sync"  // 87
    u"goto_random_entry"  // 88
    u"send_to_pda"  // 89
    u"start_web_browser"  // 90
    u"set_checkpoint"  // 91
    u"goto_checkpoint"  // 92
    u"rearrange"  // 93
    u"register"  // 94
    u"alert"  // 95
    u"sql_search"  // 96
    u"sql_bullet_search"  // 97
    u"sql_execute"  // 98
    u"export"  // 99
    u"scroll"  // 100
    u"read"  // 101
    u"say"  // 102
    u"system_play"  // 103
    u"appVersion"  // 104
    u"language"  // 105
    u"seek"  // 106
    u"current_index_entry"  // 107
    u"OpenDatabase"  // 108
    u"display_wordlist"  // 109
    u"flash_message"  // 110
    u"add_to_wordlist"  // 111
    u"add_entry_to_wordlist"  // 112
    u"clearClear"  // 113
    u"replace"  // 114
    u"display_search_history"  // 115
    u"play"  // 116
    u"stop"  // 117
    u"set_volume"  // 118
    u"encodeURI"  // 119
    u"decodeURI"  // 120
    u"encodeURIComponent"  // 121
    u"decodeURIComponent"  // 122
    u"platform"  // 123
    u"screenWidth"  // 124
    u"screenHeight"  // 125
    u"hasPointer"  // 126
    u"hasNumericKeyboard"  // 127
    u"hasFullKeyboard"  // 128
    u"getenv"  // 129
    u"ideogram_search"  // 130
    u"debug_alert"  // 131
    u"pause"  // 132
    u"resume"  // 133
    u"show"  // 134
    u"goto_track"  // 135
    u"gramgrp"  // 136
    u"orth"  // 137
    u"format"  // 139
    u"Formatted"  // 140
    u"MoveNext"  // 141
    u"MovePrevious"  // 142
    u"BOF"  // 143
    u"EOF"  // 144
    u"MoveFirst"  // 145
    u"MoveLast"  // 146
    u"anchor"  // 147
    u"url"  // 148
    u"AddNew"  // 149
    u"Delete"  // 150
    u"FindFirst"  // 151
    u"FindNext"  // 152
    u"MoveRandom"  // 153
    u"Infl"  // 154
    u"Value"  // 155
    u"Count"  // 156
    u"Fields"  // 157
    u"text"  // 158
    u"href"  // 159
    u"OpenTable"  // 160
    u"AddField"  // 161
    u"RemoveField"  // 162
    u"CreateTable"  // 163
    u"DropTable"  // 164
    u"CloseTable"  // 165
    u"Save"  // 166
    u"abs"  // 167
    u"acos"  // 168
    u"asin"  // 169
    u"atan"  // 170
    u"ceil"  // 171
    u"cos"  // 172
    u"exp"  // 173
    u"floor"  // 174
    u"log"  // 175
    u"round"  // 176
    u"sin"  // 177
    u"sqrt"  // 178
    u"tan"  // 179
    u"max"  // 180
    u"atan2"  // 181
    u"min"  // 182
    u"pow"  // 183
    u"random"  // 184
    u"toString"  // 185
    u"charAt"  // 186
    u"charCodeAt"  // 187
    u"indexOf"  // 188
    u"lastIndexOf"  // 189
    u"slice"  // 190
    u"split"  // 191
    u"substring"  // 192
    u"fold"  // 193
    u"toLowerCase"  // 194
    u"toUpperCase"  // 195
    u"fromCharCode"  // 196
    u"toUTCString"  // 198
    u"toDateString"  // 199
    u"toLocaleString"  // 200
    u"toLocaleDateString"  // 201
    u"toTimeString"  // 202
    u"toLocaleTimeString"  // 203
    u"getTime"  // 205
    u"getFullYear"  // 206
    u"getMonth"  // 207
    u"getDate"  // 208
    u"getHours"  // 209
    u"getMinutes"  // 210
    u"getSeconds"  // 211
    u"getMilliseconds"  // 212
    u"getDay"  // 213
    u"getUTCFullYear"  // 214
    u"getUTCMonth"  // 215
    u"getUTCDate"  // 216
    u"getUTCHours"  // 217
    u"getUTCMinutes"  // 218
    u"getUTCSeconds"  // 219
    u"getUTCMilliseconds"  // 220
    u"getUTCDay"  // 221
    u"getTimeZoneOffset"  // 222
    u"setTime"  // 225
    u"setFullYear"  // 226
    u"setMonth"  // 227
    u"setDate"  // 228
    u"setHours"  // 229
    u"setMinutes"  // 230
    u"setSeconds"  // 231
    u"setMilliseconds"  // 232
    u"setUTCFullYear"  // 233
    u"setUTCMonth"  // 234
    u"setUTCDate"  // 235
    u"setUTCHours"  // 236
    u"setUTCMinutes"  // 237
    u"setUTCSeconds"  // 238
    u"setUTCMilliseconds"  // 239
    u"parse"  // 241
    u"UTC"  // 242
    u"valueOf"  // 243
    u"eval"  // 245
    u"parseInt"  // 246
    u"parseFloat"  // 247
    u"isNaN"  // 248
    u"isFinite"  // 249
    u"NaN"  // 250
    u"Infinity"  // 251
    u"undefined"  // 252
    u"setTimeout"  // 253
    u"clearTimeout"  // 254
    u"setInterval"  // 255
    u"clearInterval"  // 256
    u"scrollIntoView"  // 257
    u"hasFocus"  // 258
    u"focus"  // 259
    u"blur"  // 260
    u"Array"  // 261
    u"Math"  // 262
    u"Number"  // 263
    u"String"  // 264
    u"Boolean"  // 265
    u"Date"  // 266
    u"Object"  // 267
    u"E"  // 269
    u"LN10"  // 270
    u"LN2"  // 271
    u"LOG10E"  // 272
    u"LOG2E"  // 273
    u"PI"  // 274
    u"SQRT1_2"  // 275
    u"SQRT2"  // 276
    u"options"  // 277
    u"checked"  // 278
    u"value"  // 279
    u"name"  // 280
    u"type"  // 281
    u"length"  // 282
    u"selectedIndex"  // 283
    u"form"  // 284
    u"source"  // 285
    u"recordset"  // 286
    u"Response"  // 289
    u"Server"  // 290
    u"Request"  // 291
    u"Session"  // 292
    u"Frameset"  // 293
    u"Contents"  // 296
    u"QueryString"  // 297
    u"Write"  // 298
    u"HTMLEncode"  // 299
    u"URLEncode"  // 300
    u"End"  // 301
    u"Redirect"  // 302
    u"Use"  // 303
    u"Flush"  // 304
    u"ServerVariables"  // 305
    u"RemoveAll"  // 306
    u"AppendToLog"  // 307
    u"AddHeader"  // 308
    u"Timeout"  // 309
    u"SessionID"  // 310
    u"Buffer"  // 311
    u"ContentType"  // 312
    u"Status"  // 313
    u"ScriptTimeout"  // 314
    u"CodePage"  // 315
    u"LCID";  // 316

extern const uint16_t kScriptAtomOffsets[kScriptAtomOffsetCount] = {
    /*   0 */ 0, 0, 5, 9, 15, 19, 25, 33, 36, 40,
    /*  10 */ 47, 49, 51, 56, 60, 63, 69, 75, 83, 86,
    /*  20 */ 90, 95, 108, 108, 116, 125, 131, 138, 142, 151,
    /*  30 */ 159, 163, 168, 173, 178, 191, 206, 214, 226, 237,
    /*  40 */ 255, 265, 274, 274, 283, 289, 289, 293, 298, 311,
    /*  50 */ 324, 333, 351, 366, 380, 388, 398, 404, 407, 419,
    /*  60 */ 427, 431, 435, 442, 446, 452, 463, 473, 487, 500,
    /*  70 */ 512, 522, 542, 563, 567, 579, 579, 583, 588, 594,
    /*  80 */ 611, 611, 615, 624, 632, 638, 656, 674, 683, 700,
    /*  90 */ 711, 728, 742, 757, 766, 774, 779, 789, 806, 817,
    /* 100 */ 823, 829, 833, 836, 847, 857, 865, 869, 888, 900,
    /* 110 */ 916, 929, 944, 965, 975, 982, 1004, 1008, 1012, 1022,
    /* 120 */ 1031, 1040, 1058, 1076, 1084, 1095, 1107, 1117, 1135, 1150,
    /* 130 */ 1156, 1171, 1182, 1187, 1193, 1197, 1207, 1214, 1218, 1218,
    /* 140 */ 1224, 1233, 1241, 1253, 1256, 1259, 1268, 1276, 1282, 1285,
    /* 150 */ 1291, 1297, 1306, 1314, 1324, 1328, 1333, 1338, 1344, 1348,
    /* 160 */ 1352, 1361, 1369, 1380, 1391, 1400, 1410, 1414, 1417, 1421,
    /* 170 */ 1425, 1429, 1433, 1436, 1439, 1444, 1447, 1452, 1455, 1459,
    /* 180 */ 1462, 1465, 1470, 1473, 1476, 1482, 1490, 1496, 1506, 1513,
    /* 190 */ 1524, 1529, 1534, 1543, 1547, 1558, 1569, 1581, 1581, 1592,
    /* 200 */ 1604, 1618, 1636, 1648, 1666, 1666, 1673, 1684, 1692, 1699,
    /* 210 */ 1707, 1717, 1727, 1742, 1748, 1762, 1773, 1783, 1794, 1807,
    /* 220 */ 1820, 1838, 1847, 1864, 1864, 1864, 1871, 1882, 1890, 1897,
    /* 230 */ 1905, 1915, 1925, 1940, 1954, 1965, 1975, 1986, 1999, 2012,
    /* 240 */ 2030, 2030, 2035, 2038, 2045, 2045, 2049, 2057, 2067, 2072,
    /* 250 */ 2080, 2083, 2091, 2100, 2110, 2122, 2133, 2146, 2160, 2168,
    /* 260 */ 2173, 2177, 2182, 2186, 2192, 2198, 2205, 2209, 2215, 2215,
    /* 270 */ 2216, 2220, 2223, 2229, 2234, 2236, 2243, 2248, 2255, 2262,
    /* 280 */ 2267, 2271, 2275, 2281, 2294, 2298, 2304, 2313, 2313, 2313,
    /* 290 */ 2321, 2327, 2334, 2341, 2349, 2349, 2349, 2357, 2368, 2373,
    /* 300 */ 2383, 2392, 2395, 2403, 2406, 2411, 2426, 2435, 2446, 2455,
    /* 310 */ 2462, 2471, 2477, 2488, 2494, 2507, 2515, 2519, 0, 0,
    /* 320 */ 0, 0,
};

extern const WCHAR kScriptLiteralText[kScriptLiteralTextLength + 1] =
    u"truefalseundefinednull0NaNInfinity";
