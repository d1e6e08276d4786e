#!/usr/bin/env python3
"""Compiles dialog templates, menus, soft-key bars and accelerator tables
written in a small text language into the device's binary resource forms,
as a C++ file that hands them to the platform as `ResourceEntry` rows.

    gen_dialog_resources.py INPUT OUTPUT --function NAME

OUTPUT defines `const ResourceEntry* NAME(size_t* count)`.

The language, one statement per line; `#` starts a comment; numbers are
decimal or 0x hexadecimal; a style is numbers and names joined with `|`;
texts are in double quotes with \\" \\\\ \\n and \\t escapes (UTF-8 source).

    DIALOG id x y width height          a dialog template (RT_DIALOG 5)
      STYLE style                       the window style (default WS_POPUP)
      EXSTYLE style
      CAPTION "text"
      FONT points "face"                adds DS_SETFONT
      CONTROL id class "text" x y width height style [exstyle]
    END
    MENU id                             a menu (RT_MENU 4)
      ITEM id "text" [GRAYED] [CHECKED]
      SEPARATOR
      POPUP "text" [GRAYED]
        ...items...
      END
    END
    SOFTKEYS id MENU menuId             a soft-key bar definition (RT_RCDATA 10)
      KEY image command state style textId menuIndex
    END
    ACCELERATORS id                     an accelerator table (RT_ACCELERATOR 9)
      KEY key command [VIRTKEY] [SHIFT] [CONTROL] [ALT]
    END

Dialog coordinates are dialog units. A control's class is one of the
system classes stored as atoms (BUTTON, EDIT, STATIC, LISTBOX, SCROLLBAR,
COMBOBOX) or a common control's class name (stored as text). In KEY of a
bar, `NONE` stands for the image 0xFFFE and the menu index 0xFFFF.

Binary forms (all little-endian, 16-bit units):
  dialog: style, extended style (32 bits each), item count, x, y, cx, cy;
    menu (0 or 0xFFFF id), class (0), title text; with DS_SETFONT the point
    size and the face; then each item on a 4-byte boundary: style,
    extended style, x, y, cx, cy, id, class (0xFFFF atom or text), text
    (0xFFFF id or text), count of creation bytes (0).
  menu: version 0, header size 0; each item: flags (MF_POPUP 0x10, MF_END
    0x80 on the last of a level), the id unless a pop-up, the text.
  bar: menu id, button count, then seven words per button.
  accelerators: eight bytes per entry: flags (0x80 on the last), key,
    command, padding.

Errors (an unknown statement, class or style name, a bad number, a value
out of range, a missing END, a statement in the wrong block, a duplicate
identifier) fail with "FILE:LINE: message" and exit status 1.
"""

import argparse
import os
import struct
import sys

STYLE_NAMES = {
    # windows
    'WS_POPUP': 0x80000000, 'WS_CHILD': 0x40000000, 'WS_VISIBLE': 0x10000000, 'WS_DISABLED': 0x08000000,
    'WS_CLIPSIBLINGS': 0x04000000, 'WS_CLIPCHILDREN': 0x02000000, 'WS_CAPTION': 0x00C00000,
    'WS_BORDER': 0x00800000, 'WS_DLGFRAME': 0x00400000, 'WS_VSCROLL': 0x00200000, 'WS_HSCROLL': 0x00100000,
    'WS_SYSMENU': 0x00080000, 'WS_GROUP': 0x00020000, 'WS_TABSTOP': 0x00010000,
    'WS_EX_DLGMODALFRAME': 0x00000001, 'WS_EX_TOPMOST': 0x00000008, 'WS_EX_CLIENTEDGE': 0x00000200,
    'WS_EX_CAPTIONOKBTN': 0x80000000, 'WS_EX_NODRAG': 0x40000000,
    # dialogs
    'DS_ABSALIGN': 0x01, 'DS_SETFONT': 0x40, 'DS_MODALFRAME': 0x80, 'DS_SETFOREGROUND': 0x200,
    'DS_CONTROL': 0x400, 'DS_CENTER': 0x800,
    # buttons
    'BS_PUSHBUTTON': 0x0, 'BS_DEFPUSHBUTTON': 0x1, 'BS_CHECKBOX': 0x2, 'BS_AUTOCHECKBOX': 0x3,
    'BS_RADIOBUTTON': 0x4, 'BS_3STATE': 0x5, 'BS_AUTO3STATE': 0x6, 'BS_GROUPBOX': 0x7,
    'BS_AUTORADIOBUTTON': 0x9, 'BS_OWNERDRAW': 0xB, 'BS_LEFT': 0x100, 'BS_RIGHT': 0x200, 'BS_CENTER': 0x300,
    # edits
    'ES_LEFT': 0x0, 'ES_CENTER': 0x1, 'ES_RIGHT': 0x2, 'ES_MULTILINE': 0x4, 'ES_UPPERCASE': 0x8,
    'ES_LOWERCASE': 0x10, 'ES_PASSWORD': 0x20, 'ES_AUTOVSCROLL': 0x40, 'ES_AUTOHSCROLL': 0x80,
    'ES_NOHIDESEL': 0x100, 'ES_READONLY': 0x800, 'ES_WANTRETURN': 0x1000, 'ES_NUMBER': 0x2000,
    # statics
    'SS_LEFT': 0x0, 'SS_CENTER': 0x1, 'SS_RIGHT': 0x2, 'SS_ICON': 0x3, 'SS_BITMAP': 0xE,
    'SS_LEFTNOWORDWRAP': 0xC, 'SS_NOPREFIX': 0x80, 'SS_NOTIFY': 0x100, 'SS_CENTERIMAGE': 0x200,
    # combo boxes and lists
    'CBS_SIMPLE': 0x1, 'CBS_DROPDOWN': 0x2, 'CBS_DROPDOWNLIST': 0x3, 'CBS_AUTOHSCROLL': 0x40,
    'CBS_SORT': 0x100, 'CBS_HASSTRINGS': 0x200,
    'LBS_NOTIFY': 0x1, 'LBS_SORT': 0x2,
    # common controls
    'LVS_ICON': 0x0, 'LVS_REPORT': 0x1, 'LVS_SMALLICON': 0x2, 'LVS_LIST': 0x3, 'LVS_SINGLESEL': 0x4,
    'LVS_SHOWSELALWAYS': 0x8, 'LVS_NOCOLUMNHEADER': 0x4000,
    'TBS_HORZ': 0x0, 'TBS_AUTOTICKS': 0x1, 'TBS_VERT': 0x2, 'TBS_NOTICKS': 0x10,
    'UDS_WRAP': 0x1, 'UDS_SETBUDDYINT': 0x2, 'UDS_ALIGNRIGHT': 0x4, 'UDS_AUTOBUDDY': 0x10,
    'UDS_ARROWKEYS': 0x20, 'UDS_HORZ': 0x40,
    'TCS_BOTTOM': 0x2, 'TCS_FOCUSNEVER': 0x8000,
    'CCS_NOPARENTALIGN': 0x8, 'CCS_NORESIZE': 0x4, 'CCS_TOP': 0x1, 'CCS_BOTTOM': 0x3,
    'SBARS_SIZEGRIP': 0x100, 'TBSTYLE_FLAT': 0x800,
}

ATOM_CLASSES = {'BUTTON': 0x80, 'EDIT': 0x81, 'STATIC': 0x82, 'LISTBOX': 0x83, 'SCROLLBAR': 0x84,
                'COMBOBOX': 0x85}
NAMED_CLASSES = ['SysListView32', 'ToolbarWindow32', 'msctls_statusbar32', 'msctls_trackbar32',
                 'msctls_updown32', 'SysTabControl32']

ACCEL_FLAGS = {'VIRTKEY': 0x01, 'SHIFT': 0x04, 'CONTROL': 0x08, 'ALT': 0x10}


class SourceError(Exception):
    pass


def number(text, low, high, what):
    try:
        value = int(text, 0)
    except ValueError:
        raise SourceError('%s: not a number: %r' % (what, text))
    if value < low or value > high:
        raise SourceError('%s %d out of range %d..%d' % (what, value, low, high))
    return value


def style(text, what):
    value = 0
    for part in text.split('|'):
        part = part.strip()
        if part in STYLE_NAMES:
            value |= STYLE_NAMES[part]
        else:
            try:
                value |= int(part, 0)
            except ValueError:
                raise SourceError('%s: unknown style %r' % (what, part))
    if value < 0 or value > 0xFFFFFFFF:
        raise SourceError('%s out of range' % what)
    return value


def words(text):
    """The UTF-16 words of a text and its terminator, little-endian."""
    data = text.encode('utf-16-le')
    if len(data) // 2 > 4000:
        raise SourceError('text longer than 4000 characters')
    return data + b'\0\0'


def text_arg(token, what):
    if token is None:
        raise SourceError('%s: a quoted text is missing' % what)
    return token


class Dialog:
    def __init__(self, ident, rect):
        self.ident, self.rect = ident, rect
        self.style, self.exstyle = 0x80000000, 0
        self.caption, self.font, self.controls = '', None, []

    def binary(self):
        out = bytearray()
        style_bits = self.style | (0x40 if self.font else 0)
        out += struct.pack('<IIH4h', style_bits, self.exstyle, len(self.controls), *self.rect)
        out += b'\0\0' + b'\0\0' + words(self.caption)
        if self.font:
            out += struct.pack('<H', self.font[0]) + words(self.font[1])
        for ident, cls, text, rect, st, ex in self.controls:
            while len(out) % 4:
                out += b'\0'
            out += struct.pack('<II4hH', st, ex, *rect, ident)
            out += struct.pack('<HH', 0xFFFF, ATOM_CLASSES[cls]) if cls in ATOM_CLASSES else words(cls)
            out += words(text) + b'\0\0'
        return bytes(out)


def menu_binary(items):
    out = bytearray()
    for index, item in enumerate(items):
        last = 0x80 if index == len(items) - 1 else 0
        kind = item[0]
        if kind == 'item':
            _, ident, text, flags = item
            out += struct.pack('<HH', flags | last, ident) + words(text)
        elif kind == 'separator':
            out += struct.pack('<HH', 0x800 | last, 0) + b'\0\0'
        else:
            _, text, flags, children = item
            out += struct.pack('<H', 0x10 | flags | last) + words(text) + menu_binary(children)
    return bytes(out)


def shlex_split_keep_quotes(line):
    """Splits a line into tokens; a quoted text becomes ('"', text)."""
    out, i, n = [], 0, len(line)
    while i < n:
        c = line[i]
        if c.isspace():
            i += 1
        elif c == '#':
            break
        elif c == '"':
            i += 1
            text = []
            while True:
                if i >= n:
                    raise SourceError('unterminated text')
                c = line[i]
                if c == '"':
                    i += 1
                    break
                if c == '\\':
                    if i + 1 >= n:
                        raise SourceError('unterminated text')
                    e = line[i + 1]
                    text.append({'n': '\n', 't': '\t', '"': '"', '\\': '\\'}.get(e))
                    if text[-1] is None:
                        raise SourceError('unknown escape \\%s' % e)
                    i += 2
                    continue
                text.append(c)
                i += 1
            out.append(('"', ''.join(text)))
        else:
            j = i
            while j < n and not line[j].isspace() and line[j] != '"':
                j += 1
            out.append(line[i:j])
            i = j
    return out


def compile_source(lines):
    """The resources as (type, id, bytes) in the order written."""
    resources, seen = [], set()
    block = None  # ('dialog', obj) | ('menu', id, stack) | ('softkeys', ...) | ('accel', ...)

    def add(kind, ident, data):
        if (kind, ident) in seen:
            raise SourceError('identifier %d used twice for one resource type' % ident)
        seen.add((kind, ident))
        resources.append((kind, ident, data))

    for number_of_line, line in enumerate(lines, 1):
        try:
            toks = shlex_split_keep_quotes(line)
            if not toks:
                continue
            head = toks[0]
            if isinstance(head, tuple):
                raise SourceError('a statement cannot start with a text')
            args = toks[1:]

            def plain(index, what):
                if index >= len(args) or isinstance(args[index], tuple):
                    raise SourceError('%s %s: missing or quoted' % (head, what))
                return args[index]

            def quoted(index, what):
                if index >= len(args) or not isinstance(args[index], tuple):
                    raise SourceError('%s %s: a quoted text is missing' % (head, what))
                return args[index][1]

            def expect_count(low, high):
                if not low <= len(args) <= high:
                    raise SourceError('%s takes %d to %d values, not %d' % (head, low, high, len(args)))

            if block is None:
                if head == 'DIALOG':
                    expect_count(5, 5)
                    ident = number(plain(0, 'id'), 1, 0xFFFF, 'identifier')
                    rect = [number(plain(i, 'rectangle'), -32768, 32767, 'coordinate') for i in range(1, 5)]
                    block = ['dialog', Dialog(ident, rect), number_of_line]
                elif head == 'MENU':
                    expect_count(1, 1)
                    block = ['menu', number(plain(0, 'id'), 1, 0xFFFF, 'identifier'), [[]], number_of_line]
                elif head == 'SOFTKEYS':
                    expect_count(3, 3)
                    if plain(1, 'MENU') != 'MENU':
                        raise SourceError('SOFTKEYS id MENU menuId')
                    block = ['softkeys', number(plain(0, 'id'), 1, 0xFFFF, 'identifier'),
                             number(plain(2, 'menu id'), 0, 0xFFFF, 'menu identifier'), [], number_of_line]
                elif head == 'ACCELERATORS':
                    expect_count(1, 1)
                    block = ['accel', number(plain(0, 'id'), 1, 0xFFFF, 'identifier'), [], number_of_line]
                else:
                    raise SourceError('unknown statement %r outside a block' % head)
                continue

            kind = block[0]
            if head == 'END':
                expect_count(0, 0)
                if kind == 'dialog':
                    add(5, block[1].ident, block[1].binary())
                    block = None
                elif kind == 'menu':
                    stack = block[2]
                    if len(stack) > 1:
                        children = stack.pop()
                        stack[-1][-1][3].extend(children)
                        continue
                    if not stack[0]:
                        raise SourceError('a menu needs at least one item')
                    add(4, block[1], struct.pack('<HH', 0, 0) + menu_binary(stack[0]))
                    block = None
                elif kind == 'softkeys':
                    keys = block[3]
                    data = struct.pack('<HH', block[2], len(keys))
                    for key in keys:
                        data += struct.pack('<7H', *key)
                    add(10, block[1], data)
                    block = None
                else:
                    entries = block[2]
                    if not entries:
                        raise SourceError('an accelerator table needs at least one key')
                    data = b''
                    for index, (flags, key, command) in enumerate(entries):
                        last = 0x80 if index == len(entries) - 1 else 0
                        data += struct.pack('<HHHH', flags | last, key, command, 0)
                    add(9, block[1], data)
                    block = None
                continue

            if kind == 'dialog':
                dialog = block[1]
                if head == 'STYLE':
                    expect_count(1, 1)
                    dialog.style = style(plain(0, 'style'), 'STYLE')
                elif head == 'EXSTYLE':
                    expect_count(1, 1)
                    dialog.exstyle = style(plain(0, 'style'), 'EXSTYLE')
                elif head == 'CAPTION':
                    expect_count(1, 1)
                    dialog.caption = quoted(0, 'text')
                elif head == 'FONT':
                    expect_count(2, 2)
                    dialog.font = (number(plain(0, 'points'), 1, 72, 'point size'), quoted(1, 'face'))
                elif head == 'CONTROL':
                    expect_count(8, 9)
                    ident = number(plain(0, 'id'), 0, 0xFFFF, 'control identifier')
                    cls = plain(1, 'class')
                    if cls not in ATOM_CLASSES and cls not in NAMED_CLASSES:
                        raise SourceError('unknown control class %r' % cls)
                    text = quoted(2, 'text')
                    rect = [number(plain(i, 'rectangle'), -32768, 32767, 'coordinate') for i in range(3, 7)]
                    st = style(plain(7, 'style'), 'control style')
                    ex = style(plain(8, 'extended style'), 'control extended style') if len(args) > 8 else 0
                    dialog.controls.append((ident, cls, text, rect, st | 0x40000000, ex))
                    if len(dialog.controls) > 255:
                        raise SourceError('more than 255 controls in one dialog')
                else:
                    raise SourceError('%r cannot stand in a DIALOG' % head)
            elif kind == 'menu':
                stack = block[2]
                level = stack[-1]
                flags = 0
                if head == 'ITEM':
                    expect_count(2, 4)
                    ident = number(plain(0, 'id'), 0, 0xFFFF, 'item identifier')
                    text = quoted(1, 'text')
                    for extra in args[2:]:
                        if extra == 'GRAYED':
                            flags |= 0x1
                        elif extra == 'CHECKED':
                            flags |= 0x8
                        else:
                            raise SourceError('unknown item option %r' % (extra,))
                    level.append(('item', ident, text, flags))
                elif head == 'SEPARATOR':
                    expect_count(0, 0)
                    level.append(('separator',))
                elif head == 'POPUP':
                    expect_count(1, 2)
                    text = quoted(0, 'text')
                    for extra in args[1:]:
                        if extra != 'GRAYED':
                            raise SourceError('unknown pop-up option %r' % (extra,))
                        flags |= 0x1
                    if len(stack) >= 8:
                        raise SourceError('pop-ups nested deeper than 8')
                    level.append(['popup', text, flags, []])
                    stack.append([])
                else:
                    raise SourceError('%r cannot stand in a MENU' % head)
            elif kind == 'softkeys':
                if head != 'KEY':
                    raise SourceError('%r cannot stand in SOFTKEYS' % head)
                expect_count(6, 6)
                values = []
                for index, (name, none_value) in enumerate(
                        [('image', 0xFFFE), ('command', None), ('state', None), ('style', None),
                         ('text id', None), ('menu index', 0xFFFF)]):
                    token = plain(index, name)
                    if token == 'NONE' and none_value is not None:
                        values.append(none_value)
                    else:
                        values.append(number(token, 0, 0xFFFF, name))
                image, command, state, st, text_id, menu_index = values
                block[3].append((image, command, state, st, text_id, 0, menu_index))
            else:
                if head != 'KEY':
                    raise SourceError('%r cannot stand in ACCELERATORS' % head)
                expect_count(2, 6)
                key = plain(0, 'key')
                if len(key) == 1 and not key.isdigit():
                    key_code = ord(key)
                else:
                    key_code = number(key, 0, 0xFFFF, 'key')
                command = number(plain(1, 'command'), 0, 0xFFFF, 'command')
                flags = 0
                for extra in args[2:]:
                    if extra not in ACCEL_FLAGS:
                        raise SourceError('unknown accelerator option %r' % (extra,))
                    flags |= ACCEL_FLAGS[extra]
                block[2].append((flags, key_code, command))
        except SourceError as error:
            raise SourceError('%d: %s' % (number_of_line, error))
    if block is not None:
        raise SourceError('%d: block opened here has no END' % block[-1])
    return resources


def write_cpp(resources, function, source_name):
    out = ['// Written by tools/gen_dialog_resources.py from %s; do not edit.' % source_name,
           '#include <cstddef>', '', '#include "platform/resources/program_resources.h"', '', 'namespace {', '']
    for index, (_, _, data) in enumerate(resources):
        out.append('const BYTE kData%d[] = {' % index)
        for start in range(0, len(data), 16):
            out.append('    ' + ', '.join('0x%02x' % b for b in data[start:start + 16]) + ',')
        out.append('};')
    out.append('const ResourceEntry kEntries[] = {')
    for index, (kind, ident, data) in enumerate(resources):
        out.append('    {%d, %d, kData%d, %d},' % (kind, ident, index, len(data)))
    if not resources:
        out.append('    {0, 0, nullptr, 0},')
    out += ['};', '', '}  // namespace', '',
            'const ResourceEntry* %s(size_t* count) {' % function,
            '  *count = %d;' % len(resources), '  return kEntries;', '}', '']
    return '\n'.join(out)


def main():
    parser = argparse.ArgumentParser(description='Compiles dialog templates, menus, soft-key bars and '
                                                 'accelerator tables into a C++ resource table.')
    parser.add_argument('input', help='the resource text')
    parser.add_argument('output', help='the C++ file to write')
    parser.add_argument('--function', required=True, help='the name of the function that answers the table')
    options = parser.parse_args()
    if not options.function.isidentifier():
        parser.error('--function must be a C++ identifier')
    try:
        with open(options.input, encoding='utf-8') as source:
            lines = source.read().split('\n')
    except OSError as error:
        print('%s: %s' % (options.input, error.strerror), file=sys.stderr)
        return 1
    try:
        resources = compile_source(lines)
    except SourceError as error:
        print('%s:%s' % (options.input, error), file=sys.stderr)
        return 1
    text = write_cpp(resources, options.function, options.input.split('/')[-1])
    folder = os.path.dirname(options.output)
    if folder:
        os.makedirs(folder, exist_ok=True)
    with open(options.output, 'w', encoding='utf-8') as output:
        output.write(text)
    return 0


if __name__ == '__main__':
    sys.exit(main())
