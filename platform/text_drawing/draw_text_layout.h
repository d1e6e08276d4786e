// DrawTextW's line layout: splitting at line ends, the mnemonic prefix (&),
// tab expansion, word wrapping and end ellipses, before anything is drawn.
//
// Rules (the device's):
//  - without DT_SINGLELINE, CR LF, CR and LF each end a line; a text ending
//    in a line end has an empty last line; an empty text is one empty line;
//  - without DT_NOPREFIX, '&' is dropped and the character after it is
//    underlined ("&&" gives one '&'); only the first such mark is kept;
//  - with DT_EXPANDTABS a tab advances to the next stop, every 8 average
//    character widths (with DT_TABSTOP, every (format >> 8) & 0xFF);
//  - with DT_WORDBREAK a line breaks after the last blank, or before a wide
//    (CJK) character, that keeps it within the rectangle's width; blanks
//    at the break are dropped; a word longer than the width stays whole on
//    its line (broken between characters only with DT_EDITCONTROL);
//  - with DT_END_ELLIPSIS (and DT_WORD_ELLIPSIS, DT_PATH_ELLIPSIS, which are
//    treated alike) a line wider than the rectangle is cut at the end and
//    "..." appended so that it fits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/fonts/font_engine.h"
#include "platform/types/device_types.h"

namespace textdraw {

struct LaidOutLine {
  std::u16string text;            // tabs replaced by blanks
  std::vector<int32_t> advances;  // one per unit of text
  int64_t width = 0;
  int32_t underlinedUnit = -1;    // the mnemonic, or -1
};

// `format` holds the DT_ flags (with DT_TABSTOP already taken out of bits
// 8-15 by the caller), `tabCharacters` the tab stop in average character
// widths, `width` the rectangle's width.
std::vector<LaidOutLine> LayOutText(fonts::FontFace& face, const char16_t* text, int32_t count, UINT format,
                                    int64_t width, int32_t tabCharacters);

}  // namespace textdraw
