// Reading a dialog template in the device's binary form (RT_DIALOG):
//   style, extended style (32 bits each), item count, x, y, cx, cy (16 bits
//   each); the menu, the class and the title, each a "text or ordinal"
//   (a 0 word: none; 0xFFFF and a word: a number; otherwise UTF-16 ending
//   in 0); with DS_SETFONT the point size and the face name. Each item
//   starts on a 4-byte boundary (counted from the template's start): style,
//   extended style, x, y, cx, cy, id, the class (0xFFFF and an atom, or a
//   name), the text (text or ordinal) and a word counting the creation
//   bytes that follow. Coordinates are dialog units.
//
// Every read is checked against the template's size: a cut or overlong
// template, an unknown class atom, a text that runs past the end or an
// item count beyond what the bytes can hold is refused.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/types/device_types.h"

constexpr DWORD DS_ABSALIGN = 0x01;
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_MODALFRAME = 0x80;
constexpr DWORD DS_SETFOREGROUND = 0x200;
constexpr DWORD DS_CONTROL = 0x400;
constexpr DWORD DS_CENTER = 0x800;

namespace devdialog {

struct ItemTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  WORD id = 0;
  std::u16string className;  // atoms are given their class names
  std::u16string text;
  bool textIsOrdinal = false;
  WORD textOrdinal = 0;
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  bool hasMenu = false;
  WORD menuOrdinal = 0;
  std::u16string menuName;
  std::u16string className;
  std::u16string title;
  WORD pointSize = 0;  // with DS_SETFONT
  std::u16string faceName;
  std::vector<ItemTemplate> items;
};

// False for a template that is malformed in any way (nothing beyond `size`
// bytes is read).
bool ParseDialogTemplate(const BYTE* data, size_t size, DialogTemplate* out);

// The bytes of an installed RT_DIALOG resource that `where` points into:
// its start, its size from there, and its identifier. False for a pointer
// outside every installed resource.
bool FindInstalledTemplate(const void* where, const BYTE** start, size_t* size, UINT* id);

}  // namespace devdialog
