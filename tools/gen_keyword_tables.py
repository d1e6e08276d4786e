#!/usr/bin/env python3
"""Generates the markup keyword tables and the character entity table.

The vocabularies of the markup side (tag and attribute names, attribute value
keywords, character entity names, script identifiers) are listed here once,
with their fixed ids. From these lists this script writes:

  layout/markup/keyword_ids.h                 named constants for the ids
  layout/markup/keyword_trie_data.h/.cpp      the four ternary search tries
  layout/markup/keyword_name_lists.cpp        every name with its id
  layout/markup/keyword_tag_property_table.cpp  one property word per markup id
  foundation/characters/char_entity_code_points.cpp      the code point of every entity id

The build runs it (gen_keyword_tables.py --out BUILD/generated) and compiles
its output from the build folder; nothing it writes is committed. Its output
depends only on the lists below, so two runs write the same bytes.

Trie layout: each node is five 16-bit words {character, lo, eq, hi, id}.
lo and eq are forward offsets (in nodes) to the subtrees of smaller
characters and of the next character; hi is a backward offset to the
subtree of greater characters. A node is therefore written after its hi
subtree and before its lo and eq subtrees. Link 0 = no subtree; id 0 = no
word ends at the node.
"""

import html.entities
import os
import sys

# Tag and attribute names share one id space. Keys are upper case; the
# look-up folds a-z to A-Z.
MARKUP_NAMES = [
    (1, 'HTML'), (2, 'BODY'), (3, 'META'), (4, 'LINK'), (5, 'TITLE'), (6, 'HEAD'), (7, 'H1'),
    (8, 'H2'), (9, 'H3'), (10, 'H4'), (11, 'H5'), (12, 'H6'), (13, 'BIG'), (14, 'SMALL'),
    (15, 'U'), (16, 'I'), (17, 'BOLD'), (18, 'B'), (19, 'STRONG'), (20, 'S'), (21, 'STRIKE'),
    (22, 'CODE'), (23, 'SAMP'), (24, 'KBD'), (25, 'Q'), (26, 'CITE'), (27, 'VAR'), (28, 'EM'),
    (29, 'DFN'), (30, 'TT'), (31, 'P'), (32, 'BR'), (33, 'HR'), (34, 'BLOCKQUOTE'), (35, 'CENTER'),
    (36, 'DIV'), (37, 'SPAN'), (38, 'UL'), (39, 'OL'), (40, 'LI'), (41, 'DL'), (42, 'DT'),
    (43, 'DD'), (44, 'TABLE'), (45, 'TR'), (46, 'TD'), (47, 'TH'), (48, 'A'), (49, 'SCRIPT'),
    (50, 'IMG'), (51, 'ALIGN'), (52, 'COLOR'), (53, 'BGCOLOR'), (54, 'WIDTH'), (55, 'HEIGHT'),
    (56, 'SRC'), (57, 'CLASS'), (58, 'RECINDEX'), (59, 'FILEPOS'), (60, 'INLINE'), (61, 'BORDER'),
    (62, 'CELLSPACING'), (63, 'CELLPADDING'), (64, 'REFERENCE'), (65, 'METADATA'), (66, 'TYPE'),
    (67, 'GUIDE'), (68, 'LOGHOST'), (69, 'URL'), (70, 'ENCODING'), (71, 'PREFIX'), (72, 'LOGAS'),
    (73, 'THEAD'), (74, 'TFOOT'), (75, 'TBODY'), (76, 'MAP'), (77, 'AREA'), (78, 'SUB'),
    (79, 'SUP'), (80, 'CLEAN'), (81, 'FORM'), (82, 'INPUT'), (83, 'BUTTON'), (84, 'SELECT'),
    (85, 'OPTGROUP'), (86, 'OPTION'), (87, 'TEXTAREA'), (88, 'LABEL'), (89, 'COLSPAN'),
    (90, 'ROWSPAN'), (91, 'VALIGN'), (92, 'ID'), (93, 'BACKGROUND'), (94, 'LANG'), (95, 'SHAPE'),
    (96, 'COORDS'), (97, 'HREF'), (98, 'NAME'), (99, 'SUMMARY'), (100, 'ACTION'), (101, 'METHOD'),
    (102, 'ENCTYPE'), (103, 'FOR'), (104, 'ACCESSKEY'), (105, 'VALUE'), (106, 'CHECKED'),
    (107, 'DISABLED'), (108, 'READONLY'), (109, 'SIZE'), (110, 'MAXLENGTH'), (111, 'ALT'),
    (112, 'USEMAP'), (113, 'TABINDEX'), (114, 'MULTIPLE'), (115, 'STYLE'), (116, 'MEDIA'),
    (117, 'ONCLICK'), (118, 'DC:TITLE'), (119, 'DC:LANGUAGE'), (120, 'QVR:IGNORE'),
    (121, 'QVR:PAGEBREAK'), (122, 'QVR:SECTION'), (123, 'QVR:PAGE_ROLE'), (124, 'TOPMARGIN'),
    (125, 'LEFTMARGIN'), (126, 'RIGHTMARGIN'), (127, 'BOTTOMMARGIN'), (128, 'HSPACE'),
    (129, 'VSPACE'), (130, 'LORECINDEX'), (131, 'HIRECINDEX'), (132, 'FONT'), (133, 'FACE'),
    (134, 'QVR:NU'), (135, 'DESCENT'), (136, 'BORDERCOLOR'), (137, 'QVR:FRAMESET'),
    (138, 'ONCHANGE'), (139, 'SELECTED'), (140, 'QVR:TTS'), (141, 'PHON'), (142, 'ENDFILEPOS'),
    (144, 'ONSUBMIT'), (145, 'ONRESET'), (146, 'QVR:AUTO-SUBMIT'), (147, 'ONLOAD'),
    (148, 'QVR:PERSISTENT'), (149, 'INPUT_RESTRICT'), (150, 'RSS'), (151, 'CHANNEL'),
    (152, 'DESCRIPTION'), (153, 'LANGUAGE'), (154, 'COPYRIGHT'), (155, 'MANAGINGEDITOR'),
    (156, 'WEBMASTER'), (157, 'PUBDATE'), (158, 'LASTBUILDDATE'), (159, 'CATEGORY'),
    (160, 'GENERATOR'), (161, 'DOCS'), (162, 'CLOUD'), (163, 'TTL'), (164, 'IMAGE'),
    (165, 'TEXTINPUT'), (166, 'SKIPHOURS'), (167, 'SKIPDAYS'), (168, 'ITEM'), (169, 'AUTHOR'),
    (170, 'COMMENTS'), (171, 'ENCLOSURE'), (172, 'GUID'), (173, 'SOURCE'), (174, 'FEED'),
    (175, 'ENTRY'), (176, 'ITEMS'), (177, 'UPDATED'), (178, 'SUBTITLE'), (179, 'RIGHTS'),
    (180, 'PUBLISHED'), (181, 'CONTRIBUTOR'), (182, 'CONTENT'), (183, 'LOGO'), (184, 'ICON'),
    (185, 'RDF:RDF'), (186, 'RDF:SEQ'), (187, 'RDF:LI'), (188, 'DC:PUBLISHER'),
    (189, 'DC:CREATOR'), (190, 'DC:RIGHTS'), (191, 'DC:DATE'), (192, 'DC:DESCRIPTION'),
    (193, 'DC:SUBJECT'), (194, 'SY:UPDATEPERIOD'), (195, 'SY:UPDATEFREQUENCY'),
    (196, 'SY:UPDATEBASE'), (197, 'VERSION'), (198, 'RDF:RESOURCE'), (199, 'RDF:ABOUT'),
    (200, 'CONTENT:ENCODED'), (201, 'HTTP-EQUIV'), (202, 'XML'), (203, 'XML:LANG'),
    (204, 'DCTERMS:ABSTRACT'), (205, 'REL'),
]

# Attribute value keywords (folded like markup names). Two spellings share 42.
VALUE_KEYWORDS = [
    (1, 'BLACK'), (2, 'SILVER'), (3, 'GRAY'), (4, 'WHITE'), (5, 'MAROON'), (6, 'RED'),
    (7, 'PURPLE'), (8, 'FUCHSIA'), (9, 'GREEN'), (10, 'LIME'), (11, 'OLIVE'), (12, 'YELLOW'),
    (13, 'NAVY'), (14, 'BLUE'), (15, 'TEAL'), (16, 'AQUA'), (17, 'LEFT'), (18, 'CENTER'),
    (19, 'RIGHT'), (20, 'JUSTIFY'), (21, 'CHAR'), (22, 'POETRY'), (23, 'TOP'), (24, 'MIDDLE'),
    (25, 'BOTTOM'), (26, 'BASELINE'), (27, 'ABSMIDDLE'), (28, 'ABSBOTTOM'), (29, 'TEXTTOP'),
    (30, 'TEXT'), (31, 'PASSWORD'), (32, 'CHECKBOX'), (33, 'RADIO'), (34, 'SUBMIT'), (35, 'IMAGE'),
    (36, 'RESET'), (37, 'BUTTON'), (38, 'HIDDEN'), (39, 'FILE'), (40, 'XML'),
    (41, 'MULTIPART/FORM-DATA'), (42, 'APPLICATION/X-WWW-FORM-URLENCODED'),
    (42, 'X-WWW-FORM-URLENCODED'), (44, 'GET'), (45, 'POST'), (46, 'CIRCLE'), (47, 'RECT'),
    (48, 'POLY'), (49, 'DEFAULT'), (50, 'YES'), (51, 'NO'), (52, 'HIRA'), (53, 'KATA'),
    (54, 'LATN'),
]

# Character entities, in id order (ids 1..253 follow ascending code points).
# Entity names are case-sensitive.
ENTITIES = [
    ('quot', 0x0022), ('amp', 0x0026), ('apos', 0x0027), ('lt', 0x003C), ('gt', 0x003E),
    ('nbsp', 0x00A0), ('iexcl', 0x00A1), ('cent', 0x00A2), ('pound', 0x00A3), ('curren', 0x00A4),
    ('yen', 0x00A5), ('brvbar', 0x00A6), ('sect', 0x00A7), ('uml', 0x00A8), ('copy', 0x00A9),
    ('ordf', 0x00AA), ('laquo', 0x00AB), ('not', 0x00AC), ('shy', 0x00AD), ('reg', 0x00AE),
    ('macr', 0x00AF), ('deg', 0x00B0), ('plusmn', 0x00B1), ('sup2', 0x00B2), ('sup3', 0x00B3),
    ('acute', 0x00B4), ('micro', 0x00B5), ('para', 0x00B6), ('middot', 0x00B7), ('cedil', 0x00B8),
    ('sup1', 0x00B9), ('ordm', 0x00BA), ('raquo', 0x00BB), ('frac14', 0x00BC), ('frac12', 0x00BD),
    ('frac34', 0x00BE), ('iquest', 0x00BF), ('Agrave', 0x00C0), ('Aacute', 0x00C1),
    ('Acirc', 0x00C2), ('Atilde', 0x00C3), ('Auml', 0x00C4), ('Aring', 0x00C5), ('AElig', 0x00C6),
    ('Ccedil', 0x00C7), ('Egrave', 0x00C8), ('Eacute', 0x00C9), ('Ecirc', 0x00CA),
    ('Euml', 0x00CB), ('Igrave', 0x00CC), ('Iacute', 0x00CD), ('Icirc', 0x00CE), ('Iuml', 0x00CF),
    ('ETH', 0x00D0), ('Ntilde', 0x00D1), ('Ograve', 0x00D2), ('Oacute', 0x00D3), ('Ocirc', 0x00D4),
    ('Otilde', 0x00D5), ('Ouml', 0x00D6), ('times', 0x00D7), ('Oslash', 0x00D8),
    ('Ugrave', 0x00D9), ('Uacute', 0x00DA), ('Ucirc', 0x00DB), ('Uuml', 0x00DC),
    ('Yacute', 0x00DD), ('THORN', 0x00DE), ('szlig', 0x00DF), ('agrave', 0x00E0),
    ('aacute', 0x00E1), ('acirc', 0x00E2), ('atilde', 0x00E3), ('auml', 0x00E4), ('aring', 0x00E5),
    ('aelig', 0x00E6), ('ccedil', 0x00E7), ('egrave', 0x00E8), ('eacute', 0x00E9),
    ('ecirc', 0x00EA), ('euml', 0x00EB), ('igrave', 0x00EC), ('iacute', 0x00ED), ('icirc', 0x00EE),
    ('iuml', 0x00EF), ('eth', 0x00F0), ('ntilde', 0x00F1), ('ograve', 0x00F2), ('oacute', 0x00F3),
    ('ocirc', 0x00F4), ('otilde', 0x00F5), ('ouml', 0x00F6), ('divide', 0x00F7),
    ('oslash', 0x00F8), ('ugrave', 0x00F9), ('uacute', 0x00FA), ('ucirc', 0x00FB),
    ('uuml', 0x00FC), ('yacute', 0x00FD), ('thorn', 0x00FE), ('yuml', 0x00FF), ('OElig', 0x0152),
    ('oelig', 0x0153), ('Scaron', 0x0160), ('scaron', 0x0161), ('Yuml', 0x0178), ('fnof', 0x0192),
    ('circ', 0x02C6), ('tilde', 0x02DC), ('Alpha', 0x0391), ('Beta', 0x0392), ('Gamma', 0x0393),
    ('Delta', 0x0394), ('Epsilon', 0x0395), ('Zeta', 0x0396), ('Eta', 0x0397), ('Theta', 0x0398),
    ('Iota', 0x0399), ('Kappa', 0x039A), ('Lambda', 0x039B), ('Mu', 0x039C), ('Nu', 0x039D),
    ('Xi', 0x039E), ('Omicron', 0x039F), ('Pi', 0x03A0), ('Rho', 0x03A1), ('Sigma', 0x03A3),
    ('Tau', 0x03A4), ('Upsilon', 0x03A5), ('Phi', 0x03A6), ('Chi', 0x03A7), ('Psi', 0x03A8),
    ('Omega', 0x03A9), ('alpha', 0x03B1), ('beta', 0x03B2), ('gamma', 0x03B3), ('delta', 0x03B4),
    ('epsilon', 0x03B5), ('zeta', 0x03B6), ('eta', 0x03B7), ('theta', 0x03B8), ('iota', 0x03B9),
    ('kappa', 0x03BA), ('lambda', 0x03BB), ('mu', 0x03BC), ('nu', 0x03BD), ('xi', 0x03BE),
    ('omicron', 0x03BF), ('pi', 0x03C0), ('rho', 0x03C1), ('sigmaf', 0x03C2), ('sigma', 0x03C3),
    ('tau', 0x03C4), ('upsilon', 0x03C5), ('phi', 0x03C6), ('chi', 0x03C7), ('psi', 0x03C8),
    ('omega', 0x03C9), ('thetasym', 0x03D1), ('upsih', 0x03D2), ('piv', 0x03D6), ('ensp', 0x2002),
    ('emsp', 0x2003), ('thinsp', 0x2009), ('zwnj', 0x200C), ('zwj', 0x200D), ('lrm', 0x200E),
    ('rlm', 0x200F), ('ndash', 0x2013), ('mdash', 0x2014), ('lsquo', 0x2018), ('rsquo', 0x2019),
    ('sbquo', 0x201A), ('ldquo', 0x201C), ('rdquo', 0x201D), ('bdquo', 0x201E), ('dagger', 0x2020),
    ('Dagger', 0x2021), ('bull', 0x2022), ('hellip', 0x2026), ('permil', 0x2030),
    ('prime', 0x2032), ('Prime', 0x2033), ('lsaquo', 0x2039), ('rsaquo', 0x203A),
    ('oline', 0x203E), ('frasl', 0x2044), ('euro', 0x20AC), ('image', 0x2111), ('weierp', 0x2118),
    ('real', 0x211C), ('trade', 0x2122), ('alefsym', 0x2135), ('larr', 0x2190), ('uarr', 0x2191),
    ('rarr', 0x2192), ('darr', 0x2193), ('harr', 0x2194), ('crarr', 0x21B5), ('lArr', 0x21D0),
    ('uArr', 0x21D1), ('rArr', 0x21D2), ('dArr', 0x21D3), ('hArr', 0x21D4), ('forall', 0x2200),
    ('part', 0x2202), ('exist', 0x2203), ('empty', 0x2205), ('nabla', 0x2207), ('isin', 0x2208),
    ('notin', 0x2209), ('ni', 0x220B), ('prod', 0x220F), ('sum', 0x2211), ('minus', 0x2212),
    ('lowast', 0x2217), ('radic', 0x221A), ('prop', 0x221D), ('infin', 0x221E), ('ang', 0x2220),
    ('and', 0x2227), ('or', 0x2228), ('cap', 0x2229), ('cup', 0x222A), ('int', 0x222B),
    ('there4', 0x2234), ('sim', 0x223C), ('cong', 0x2245), ('asymp', 0x2248), ('ne', 0x2260),
    ('equiv', 0x2261), ('le', 0x2264), ('ge', 0x2265), ('sub', 0x2282), ('sup', 0x2283),
    ('nsub', 0x2284), ('sube', 0x2286), ('supe', 0x2287), ('oplus', 0x2295), ('otimes', 0x2297),
    ('perp', 0x22A5), ('sdot', 0x22C5), ('lceil', 0x2308), ('rceil', 0x2309), ('lfloor', 0x230A),
    ('rfloor', 0x230B), ('lang', 0x2329), ('rang', 0x232A), ('loz', 0x25CA), ('spades', 0x2660),
    ('clubs', 0x2663), ('hearts', 0x2665), ('diams', 0x2666),
]

# Script identifiers, case-sensitive. Two pairs of spellings share an id
# (74 Remove/remove, 113 Clear/clear).
SCRIPT_NAMES = [
    (1, 'break'), (2, 'else'), (3, 'switch'), (4, 'case'), (5, 'return'), (6, 'continue'),
    (7, 'for'), (8, 'void'), (9, 'default'), (10, 'do'), (11, 'if'), (12, 'while'), (13, 'this'),
    (14, 'new'), (15, 'delete'), (16, 'typeof'), (17, 'function'), (18, 'var'), (19, 'true'),
    (20, 'false'), (21, '__litteralstr'), (23, 'document'), (24, 'bookmarks'), (25, 'window'),
    (26, 'history'), (27, 'cart'), (28, 'selection'), (29, 'location'), (30, 'hash'),
    (31, 'voice'), (32, 'index'), (33, 'audio'), (34, 'BUL_CROSS_RED'), (35, 'BUL_CHECK_GREEN'),
    (36, 'BUL_BLUE'), (37, 'BUL_HOSPITAL'), (38, 'TYPE_STRING'), (39, 'TYPE_POOLED_STRING'),
    (40, 'TYPE_UBYTE'), (41, 'TYPE_UINT'), (43, 'navigator'), (44, 'device'), (46, 'open'),
    (47, 'close'), (48, 'increase_font'), (49, 'decrease_font'), (50, 'goto_page'),
    (51, 'goto_page_relative'), (52, 'goto_first_page'), (53, 'goto_last_page'), (54, 'goto_toc'),
    (55, 'goto_guide'), (56, 'search'), (57, 'add'), (58, 'display_list'), (59, 'previous'),
    (60, 'next'), (61, 'back'), (62, 'forward'), (63, 'goto'), (64, 'browse'), (65, 'display_tip'),
    (66, 'play_music'), (67, 'start_recorder'), (68, 'play_music_ex'), (69, 'index_search'),
    (70, 'move_table'), (71, 'display_bookmark_tip'), (72, 'filtered_index_search'), (73, 'edit'),
    (74, 'Remove'), (74, 'remove'), (76, 'dial'), (77, 'reset'), (78, 'submit'),
    (79, 'cond_index_search'), (81, 'copy'), (82, 'highlight'), (83, 'annotate'), (84, 'lookup'),
    (85, 'start_popup_viewer'), (86, 'start_external_app'), (87, 'open_sync'),
    (88, 'goto_random_entry'), (89, 'send_to_pda'), (90, 'start_web_browser'),
    (91, 'set_checkpoint'), (92, 'goto_checkpoint'), (93, 'rearrange'), (94, 'register'),
    (95, 'alert'), (96, 'sql_search'), (97, 'sql_bullet_search'), (98, 'sql_execute'),
    (99, 'export'), (100, 'scroll'), (101, 'read'), (102, 'say'), (103, 'system_play'),
    (104, 'appVersion'), (105, 'language'), (106, 'seek'), (107, 'current_index_entry'),
    (108, 'OpenDatabase'), (109, 'display_wordlist'), (110, 'flash_message'),
    (111, 'add_to_wordlist'), (112, 'add_entry_to_wordlist'), (113, 'Clear'), (113, 'clear'),
    (114, 'replace'), (115, 'display_search_history'), (116, 'play'), (117, 'stop'),
    (118, 'set_volume'), (119, 'encodeURI'), (120, 'decodeURI'), (121, 'encodeURIComponent'),
    (122, 'decodeURIComponent'), (123, 'platform'), (124, 'screenWidth'), (125, 'screenHeight'),
    (126, 'hasPointer'), (127, 'hasNumericKeyboard'), (128, 'hasFullKeyboard'), (129, 'getenv'),
    (130, 'ideogram_search'), (131, 'debug_alert'), (132, 'pause'), (133, 'resume'), (134, 'show'),
    (135, 'goto_track'), (136, 'gramgrp'), (137, 'orth'), (139, 'format'), (140, 'Formatted'),
    (141, 'MoveNext'), (142, 'MovePrevious'), (143, 'BOF'), (144, 'EOF'), (145, 'MoveFirst'),
    (146, 'MoveLast'), (147, 'anchor'), (148, 'url'), (149, 'AddNew'), (150, 'Delete'),
    (151, 'FindFirst'), (152, 'FindNext'), (153, 'MoveRandom'), (154, 'Infl'), (155, 'Value'),
    (156, 'Count'), (157, 'Fields'), (158, 'text'), (159, 'href'), (160, 'OpenTable'),
    (161, 'AddField'), (162, 'RemoveField'), (163, 'CreateTable'), (164, 'DropTable'),
    (165, 'CloseTable'), (166, 'Save'), (167, 'abs'), (168, 'acos'), (169, 'asin'), (170, 'atan'),
    (171, 'ceil'), (172, 'cos'), (173, 'exp'), (174, 'floor'), (175, 'log'), (176, 'round'),
    (177, 'sin'), (178, 'sqrt'), (179, 'tan'), (180, 'max'), (181, 'atan2'), (182, 'min'),
    (183, 'pow'), (184, 'random'), (185, 'toString'), (186, 'charAt'), (187, 'charCodeAt'),
    (188, 'indexOf'), (189, 'lastIndexOf'), (190, 'slice'), (191, 'split'), (192, 'substring'),
    (193, 'fold'), (194, 'toLowerCase'), (195, 'toUpperCase'), (196, 'fromCharCode'),
    (198, 'toUTCString'), (199, 'toDateString'), (200, 'toLocaleString'),
    (201, 'toLocaleDateString'), (202, 'toTimeString'), (203, 'toLocaleTimeString'),
    (205, 'getTime'), (206, 'getFullYear'), (207, 'getMonth'), (208, 'getDate'), (209, 'getHours'),
    (210, 'getMinutes'), (211, 'getSeconds'), (212, 'getMilliseconds'), (213, 'getDay'),
    (214, 'getUTCFullYear'), (215, 'getUTCMonth'), (216, 'getUTCDate'), (217, 'getUTCHours'),
    (218, 'getUTCMinutes'), (219, 'getUTCSeconds'), (220, 'getUTCMilliseconds'),
    (221, 'getUTCDay'), (222, 'getTimeZoneOffset'), (225, 'setTime'), (226, 'setFullYear'),
    (227, 'setMonth'), (228, 'setDate'), (229, 'setHours'), (230, 'setMinutes'),
    (231, 'setSeconds'), (232, 'setMilliseconds'), (233, 'setUTCFullYear'), (234, 'setUTCMonth'),
    (235, 'setUTCDate'), (236, 'setUTCHours'), (237, 'setUTCMinutes'), (238, 'setUTCSeconds'),
    (239, 'setUTCMilliseconds'), (241, 'parse'), (242, 'UTC'), (243, 'valueOf'), (245, 'eval'),
    (246, 'parseInt'), (247, 'parseFloat'), (248, 'isNaN'), (249, 'isFinite'), (250, 'NaN'),
    (251, 'Infinity'), (252, 'undefined'), (253, 'setTimeout'), (254, 'clearTimeout'),
    (255, 'setInterval'), (256, 'clearInterval'), (257, 'scrollIntoView'), (258, 'hasFocus'),
    (259, 'focus'), (260, 'blur'), (261, 'Array'), (262, 'Math'), (263, 'Number'), (264, 'String'),
    (265, 'Boolean'), (266, 'Date'), (267, 'Object'), (269, 'E'), (270, 'LN10'), (271, 'LN2'),
    (272, 'LOG10E'), (273, 'LOG2E'), (274, 'PI'), (275, 'SQRT1_2'), (276, 'SQRT2'),
    (277, 'options'), (278, 'checked'), (279, 'value'), (280, 'name'), (281, 'type'),
    (282, 'length'), (283, 'selectedIndex'), (284, 'form'), (285, 'source'), (286, 'recordset'),
    (289, 'Response'), (290, 'Server'), (291, 'Request'), (292, 'Session'), (293, 'Frameset'),
    (296, 'Contents'), (297, 'QueryString'), (298, 'Write'), (299, 'HTMLEncode'),
    (300, 'URLEncode'), (301, 'End'), (302, 'Redirect'), (303, 'Use'), (304, 'Flush'),
    (305, 'ServerVariables'), (306, 'RemoveAll'), (307, 'AppendToLog'), (308, 'AddHeader'),
    (309, 'Timeout'), (310, 'SessionID'), (311, 'Buffer'), (312, 'ContentType'), (313, 'Status'),
    (314, 'ScriptTimeout'), (315, 'CodePage'), (316, 'LCID'),
]

# Tag property words, grouped by word. "A..B" names every id from A to B.
# Bits 0-4 content class; 0x20 tag; 0x40 attribute; 0x80 closed implicitly by
# a later sibling; 0x100 empty element; 0x200 text value / metadata text.
TAG_PROPERTY_GROUPS = [
    (0x0000, ['INPUT_RESTRICT']),
    (0x0020, ['BIG', 'SMALL', 'U', 'I', 'BOLD', 'B', 'STRONG', 'S', 'STRIKE', 'CODE', 'SAMP',
              'KBD', 'Q', 'CITE', 'VAR', 'EM', 'DFN', 'TT', 'SPAN', 'A', 'SUB', 'SUP', 'FONT',
              'QVR:NU']),
    (0x0021, ['H1', 'H2', 'H3', 'H4', 'H5', 'H6', 'BLOCKQUOTE']),
    (0x00A1, ['P', 'CENTER']),
    (0x0022, ['METADATA', 'GUIDE', 'MAP']),
    (0x0122, ['META', 'LINK', 'HR', 'IMG', 'REFERENCE', 'LOGHOST', 'AREA', 'QVR:PAGEBREAK']),
    (0x0023, ['BODY', 'HEAD', 'CLEAN']),
    (0x00A3, ['QVR:SECTION', 'QVR:FRAMESET']),
    (0x0223, ['TITLE', 'RSS..CONTRIBUTOR', 'LOGO', 'ICON', 'RDF:RDF..SY:UPDATEBASE',
              'CONTENT:ENCODED', 'XML', 'DCTERMS:ABSTRACT']),
    (0x0263, ['CONTENT']),
    (0x00A4, ['TD', 'TH']),
    (0x00A5, ['TR']),
    (0x00A6, ['THEAD', 'TFOOT', 'TBODY']),
    (0x0027, ['TABLE']),
    (0x0028, ['HTML']),
    (0x0029, ['DL']),
    (0x00AA, ['DT', 'DD']),
    (0x002B, ['UL', 'OL']),
    (0x00AC, ['LI']),
    (0x002D, ['FORM']),
    (0x002E, ['SELECT', 'TEXTAREA']),
    (0x012E, ['INPUT', 'BUTTON']),
    (0x032E, ['LABEL']),
    (0x002F, ['OPTGROUP']),
    (0x00AF, ['OPTION']),
    (0x0030, ['DIV']),
    (0x0031, ['SCRIPT', 'DC:TITLE', 'DC:LANGUAGE']),
    (0x0231, ['STYLE']),
    (0x0120, ['BR']),
    (0x0220, ['QVR:TTS', 'PHON']),
    (0x0040, ['ALIGN', 'COLOR', 'BGCOLOR', 'CLASS', 'RECINDEX', 'FILEPOS', 'INLINE', 'BORDER',
              'CELLSPACING', 'CELLPADDING', 'ENCODING', 'COLSPAN', 'ROWSPAN', 'VALIGN', 'LANG',
              'SHAPE', 'METHOD', 'ENCTYPE', 'ACCESSKEY', 'CHECKED', 'DISABLED', 'READONLY',
              'SIZE', 'MAXLENGTH', 'TABINDEX', 'MULTIPLE', 'QVR:IGNORE', 'QVR:PAGE_ROLE',
              'TOPMARGIN', 'LEFTMARGIN', 'RIGHTMARGIN', 'BOTTOMMARGIN', 'HSPACE', 'VSPACE',
              'LORECINDEX', 'HIRECINDEX', 'DESCENT', 'BORDERCOLOR', 'SELECTED', 'ENDFILEPOS',
              'QVR:AUTO-SUBMIT', 'QVR:PERSISTENT']),
    (0x0060, ['WIDTH', 'HEIGHT']),
    (0x0240, ['SRC', 'TYPE', 'PREFIX', 'LOGAS', 'ID', 'BACKGROUND', 'COORDS', 'HREF', 'NAME',
              'SUMMARY', 'ACTION', 'FOR', 'VALUE', 'ALT', 'USEMAP', 'MEDIA', 'ONCLICK', 'FACE',
              'ONCHANGE', 'ONSUBMIT', 'ONRESET', 'ONLOAD', 'VERSION', 'RDF:RESOURCE',
              'RDF:ABOUT', 'HTTP-EQUIV', 'XML:LANG', 'REL']),
    (0x0260, ['URL']),
]

MARKUP_ID_COUNT = 206     # property table rows: ids 0..205
ENTITY_ID_COUNT = 254     # entity rows: ids 0..253 (row 0 empty)


def fail(message):
    sys.stderr.write('gen_keyword_tables: %s\n' % message)
    sys.exit(1)


# ---------------------------------------------------------------- checks

def check_keys(title, entries, folded):
    seen = set()
    for ident, key in entries:
        if not key or any(ord(c) < 0x21 or ord(c) > 0x7E or c in '\\"' for c in key):
            fail('%s: key %r is not printable ASCII without quote or backslash' % (title, key))
        if folded and key != key.upper():
            fail('%s: folded key %r must be upper case' % (title, key))
        if key in seen:
            fail('%s: key %r listed twice' % (title, key))
        if not 0 < ident < 0x10000:
            fail('%s: id %d of %r out of range' % (title, ident, key))
        seen.add(key)


def check_entities():
    entries = list(ENTITIES)
    if len(entries) != ENTITY_ID_COUNT - 1:
        fail('entity table must have %d rows' % (ENTITY_ID_COUNT - 1))
    points = [cp for _, cp in entries]
    if points != sorted(points) or len(set(points)) != len(points):
        fail('entity ids must follow strictly ascending code points')
    # The list must be the HTML 4 set plus apos, nothing more or less.
    expected = dict(html.entities.name2codepoint)
    expected['apos'] = 0x27
    if dict(entries) != expected:
        fail('entity list differs from the HTML 4 entities plus apos')


def property_words(markup_ids):
    words = [None] * MARKUP_ID_COUNT
    names = {i: n for n, i in markup_ids.items()}
    for word, group in TAG_PROPERTY_GROUPS:
        for item in group:
            if '..' in item:
                first, last = item.split('..')
                ids = range(markup_ids[first], markup_ids[last] + 1)
            else:
                ids = [markup_ids[item]]
            for ident in ids:
                if words[ident] is not None:
                    fail('markup id %d has two property words' % ident)
                words[ident] = word
    for ident in range(1, MARKUP_ID_COUNT):
        if words[ident] is None and ident in markup_ids.values():
            fail('markup name %s has no property word' % names[ident])
    return [w if w is not None else 0 for w in words]


# ---------------------------------------------------------------- tries

class Node:
    __slots__ = ('char', 'lo', 'eq', 'hi', 'ident', 'index')

    def __init__(self, char):
        self.char = char
        self.lo = self.eq = self.hi = None
        self.ident = 0
        self.index = -1


def build(entries):
    """Balanced ternary search trie over (key, id) pairs sorted by key."""
    def make(items):
        # items: non-empty list of (rest of key, id), sorted, every rest non-empty
        chars = sorted(set(rest[0] for rest, _ in items))
        middle = chars[len(chars) // 2]
        node = Node(ord(middle))
        lower = [it for it in items if it[0][0] < middle]
        higher = [it for it in items if it[0][0] > middle]
        same = [(rest[1:], ident) for rest, ident in items if rest[0] == middle]
        for rest, ident in same:
            if not rest:
                node.ident = ident
        deeper = [it for it in same if it[0]]
        if lower:
            node.lo = make(lower)
        if higher:
            node.hi = make(higher)
        if deeper:
            node.eq = make(deeper)
        return node
    return make(sorted((key, ident) for ident, key in entries))


def layout(root):
    """Orders the nodes: hi subtree, node, lo subtree, eq subtree."""
    order = []

    def place(node):
        if node.hi:
            place(node.hi)
        node.index = len(order)
        order.append(node)
        if node.lo:
            place(node.lo)
        if node.eq:
            place(node.eq)
    place(root)
    return order


def link(node, child, backward):
    if child is None:
        return 0
    offset = node.index - child.index if backward else child.index - node.index
    if not 0 < offset < 0x10000:
        fail('link offset %d does not fit' % offset)
    return offset


def lookup(order, root, key):
    """Walks the emitted arrays the way the C++ look-up does, as a self-check."""
    at = root.index
    pos = 0
    while True:
        node = order[at]
        unit = ord(key[pos])
        if unit < node.char:
            step = link(node, node.lo, False)
            at += step
        elif unit > node.char:
            step = link(node, node.hi, True)
            at -= step
        else:
            if pos == len(key) - 1:
                return node.ident
            pos += 1
            step = link(node, node.eq, False)
            at += step
        if step == 0:
            return 0


# ---------------------------------------------------------------- output

HEADER = '// Generated by tools/gen_keyword_tables.py from its lists; do not edit by hand.\n'


def cpp_name(text):
    parts = ''.join(c if c.isalnum() else ' ' for c in text).split()
    return ''.join(p[:1].upper() + p[1:].lower() for p in parts)


def char_comment(ch):
    return chr(ch)


def emit_trie(out, name, order):
    out.append('extern const TrieNode %s[%d] = {\n' % (name, len(order)))
    for node in order:
        out.append('    {0x%02X, %d, %d, %d, %d},  // %s\n' % (
            node.char, link(node, node.lo, False), link(node, node.eq, False),
            link(node, node.hi, True), node.ident, char_comment(node.char)))
    out.append('};\n\n')


def write(root_dir, path, text):
    full = os.path.join(root_dir, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, 'w', newline='\n') as f:
        f.write(text)


USAGE = ('usage: gen_keyword_tables.py --out DIR\n'
         '  writes DIR/layout/markup/keyword_*.{h,cpp} and\n'
         '  DIR/foundation/characters/char_entity_code_points.cpp\n')


def parse_out_dir(args):
    """The output folder of `--out DIR`; anything else is help or a mistake.
    A folder that begins with "-" is taken for a mistyped option."""
    if any(a in ('-h', '--help') for a in args):
        sys.stdout.write(USAGE)
        sys.exit(0)
    if len(args) != 2 or args[0] != '--out' or args[1].startswith('-'):
        sys.stderr.write(USAGE)
        sys.exit(2)
    return args[1]


def main():
    root_dir = parse_out_dir(sys.argv[1:])

    markup = [(i, n) for i, n in MARKUP_NAMES]
    values = list(VALUE_KEYWORDS)
    entities = [(i + 1, n) for i, (n, _) in enumerate(ENTITIES)]
    script = list(SCRIPT_NAMES)
    check_keys('markup names', markup, True)
    check_keys('value keywords', values, True)
    check_keys('entity names', entities, False)
    check_keys('script names', script, False)
    check_entities()
    markup_ids = {n: i for i, n in markup}
    if len(markup_ids.values()) != len(set(markup_ids.values())) or max(markup_ids.values()) >= MARKUP_ID_COUNT:
        fail('markup ids must be unique and below %d' % MARKUP_ID_COUNT)
    words = property_words(markup_ids)

    tries = [
        ('kMarkupNameTrie', markup),
        ('kValueKeywordTrie', values),
        ('kEntityNameTrie', entities),
        ('kScriptNameTrie', script),
    ]
    built = []
    for name, entries in tries:
        root = build(entries)
        order = layout(root)
        for ident, key in entries:
            if lookup(order, root, key) != ident:
                fail('%s: self-check failed for %r' % (name, key))
        built.append((name, root, order))

    # keyword_trie_data.h
    h = [HEADER,
         '// The four keyword tries as constant node arrays: sizes and the index of\n'
         '// each root node (a root is not the first node of its array).\n'
         '#pragma once\n\n#include <cstdint>\n\n#include "layout/markup/keyword_trie.h"\n\n']
    for name, root, order in built:
        h.append('inline constexpr uint32_t %sNodeCount = %d;\n' % (name, len(order)))
        h.append('inline constexpr uint32_t %sRootIndex = %d;\n' % (name, root.index))
        h.append('extern const TrieNode %sNodes[%sNodeCount];\n\n' % (name, name))
    write(root_dir, 'layout/markup/keyword_trie_data.h', ''.join(h).rstrip('\n') + '\n')

    # keyword_trie_data.cpp
    c = [HEADER,
         '// Node arrays of the markup name, value keyword, entity name and script\n'
         '// name tries. Each line: {character, lo, eq, hi, id}.\n'
         '#include "layout/markup/keyword_trie_data.h"\n\n']
    for name, root, order in built:
        emit_trie(c, name + 'Nodes', order)
    write(root_dir, 'layout/markup/keyword_trie_data.cpp', ''.join(c).rstrip('\n') + '\n')

    # keyword_ids.h
    h = [HEADER,
         '// Named ids of the markup vocabularies: tag and attribute names (one id\n'
         '// space), attribute value keywords and character entities. Items, saved\n'
         '// parser state and records carry these numbers, never the names.\n'
         '#pragma once\n\n#include <cstdint>\n\n']
    h.append('enum MarkupId : uint16_t {\n')
    seen = set()
    for ident, key in markup:
        enum = 'kMarkup' + cpp_name(key)
        if enum in seen:
            fail('duplicate constant ' + enum)
        seen.add(enum)
        h.append('    %s = %d,  // %s\n' % (enum, ident, key))
    h.append('};\n\ninline constexpr uint32_t kMarkupIdCount = %d;  // ids 0..%d\n\n'
             % (MARKUP_ID_COUNT, MARKUP_ID_COUNT - 1))
    h.append('enum ValueKeywordId : uint16_t {\n')
    done = set()
    for ident, key in values:
        if ident in done:
            continue
        done.add(ident)
        enum = 'kValue' + cpp_name(key)
        if enum in seen:
            fail('duplicate constant ' + enum)
        seen.add(enum)
        h.append('    %s = %d,  // %s\n' % (enum, ident, key))
    h.append('};\n\ninline constexpr uint32_t kValueKeywordMaxId = %d;\n\n' % max(i for i, _ in values))
    h.append('// Entity constants keep the entity\'s own case-sensitive name.\n')
    h.append('enum EntityId : uint16_t {\n')
    for ident, key in entities:
        h.append('    kEntity_%s = %d,  // U+%04X\n' % (key, ident, ENTITIES[ident - 1][1]))
    h.append('};\n\ninline constexpr uint32_t kEntityMaxId = %d;\n' % len(entities))
    h.append('inline constexpr uint32_t kScriptNameMaxId = %d;\n' % max(i for i, _ in script))
    write(root_dir, 'layout/markup/keyword_ids.h', ''.join(h))

    # keyword_name_lists.cpp
    c = [HEADER,
         '// Every name of the four keyword tries with its id, in id order.\n'
         '#include "layout/markup/keyword_name_lists.h"\n\n']
    for array, entries in (('kMarkupNameList', markup), ('kValueKeywordList', values),
                           ('kEntityNameList', entities), ('kScriptNameList', script)):
        c.append('extern const KeywordName %s[] = {\n' % array)
        for ident, key in sorted(entries, key=lambda e: e[0]):
            c.append('    {"%s", %d},\n' % (key, ident))
        c.append('};\nextern const uint32_t %sLength = %d;\n\n' % (array, len(entries)))
    write(root_dir, 'layout/markup/keyword_name_lists.cpp', ''.join(c).rstrip('\n') + '\n')

    # keyword_tag_property_table.cpp
    names = {i: n for i, n in markup}
    c = [HEADER,
         '// The property word of every markup id (see keyword_tag_properties.h).\n'
         '#include "layout/markup/keyword_tag_properties.h"\n\n'
         'extern const uint16_t kTagPropertyTable[kMarkupIdCount] = {\n']
    for ident in range(MARKUP_ID_COUNT):
        c.append('    0x%04X,  // %d %s\n' % (words[ident], ident, names.get(ident, '(none)')))
    c.append('};\n')
    write(root_dir, 'layout/markup/keyword_tag_property_table.cpp', ''.join(c))

    # char_entity_code_points.cpp
    c = [HEADER,
         '// The code point of every entity id; row 0 is empty. Ascending from row 1,\n'
         '// which the reverse look-up relies on.\n'
         '#include "foundation/characters/char_entity_table.h"\n\n'
         'extern const WCHAR kEntityCodePoints[kEntityRowCount] = {\n'
         '    0x0000,  // 0 (none)\n']
    for ident, (key, cp) in enumerate(ENTITIES, 1):
        c.append('    0x%04X,  // %d %s\n' % (cp, ident, key))
    c.append('};\n')
    write(root_dir, 'foundation/characters/char_entity_code_points.cpp', ''.join(c))


if __name__ == '__main__':
    main()
