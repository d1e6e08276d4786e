// The built-in font's glyphs, drawn as rows of dots ('#') and spaces ('.'),
// rows separated by blanks, top row first; rows left out are empty. The
// table is built at compile time.
#include "platform/fonts/builtin_glyph_design.h"

#include <array>

namespace fonts {
namespace {

constexpr GlyphDesign Design(const char* text) {
  GlyphDesign design{0, {}};
  int row = 0;
  int column = 0;
  uint8_t bits = 0;
  for (const char* p = text;; ++p) {
    if (*p == '#' || *p == '.') {
      bits = static_cast<uint8_t>((bits << 1) | (*p == '#' ? 1 : 0));
      ++column;
      continue;
    }
    if (column > 0) {
      if (row == 0) design.columns = static_cast<uint8_t>(column);
      if (row < kDesignRows) design.rows[row] = bits;
      ++row;
    }
    column = 0;
    bits = 0;
    if (*p == '\0') break;
  }
  return design;
}

struct Entry {
  char32_t ch;
  GlyphDesign design;
};

constexpr Entry kAscii[] = {
    {U' ', Design("... ... ... ... ... ... ...")},
    {U'!', Design("# # # # # . #")},
    {U'"', Design("#.# #.# ...")},
    {U'#', Design(".#.#. .#.#. ##### .#.#. ##### .#.#. .#.#.")},
    {U'$', Design("..#.. .#### #.#.. .###. ..#.# ####. ..#..")},
    {U'%', Design("##... ##..# ...#. ..#.. .#... #..## ...##")},
    {U'&', Design(".##.. #..#. #.#.. .#... #.#.# #..#. .##.#")},
    {U'\'', Design("# # .")},
    {U'(', Design("..# .#. #.. #.. #.. .#. ..#")},
    {U')', Design("#.. .#. ..# ..# ..# .#. #..")},
    {U'*', Design("..... ..#.. #.#.# .###. #.#.# ..#.. .....")},
    {U'+', Design("..... ..#.. ..#.. ##### ..#.. ..#.. .....")},
    {U',', Design(".. .. .. .. .. .# .# #.")},
    {U'-', Design(".... .... .... #### .... .... ....")},
    {U'.', Design(". . . . . . #")},
    {U'/', Design("..... ....# ...#. ..#.. .#... #.... .....")},
    {U'0', Design(".###. #...# #..## #.#.# ##..# #...# .###.")},
    {U'1', Design(".#. ##. .#. .#. .#. .#. ###")},
    {U'2', Design(".###. #...# ....# ...#. ..#.. .#... #####")},
    {U'3', Design("##### ...#. ..#.. ...#. ....# #...# .###.")},
    {U'4', Design("...#. ..##. .#.#. #..#. ##### ...#. ...#.")},
    {U'5', Design("##### #.... ####. ....# ....# #...# .###.")},
    {U'6', Design("..##. .#... #.... ####. #...# #...# .###.")},
    {U'7', Design("##### ....# ...#. ..#.. .#... .#... .#...")},
    {U'8', Design(".###. #...# #...# .###. #...# #...# .###.")},
    {U'9', Design(".###. #...# #...# .#### ....# ...#. .##..")},
    {U':', Design(". . # . . . #")},
    {U';', Design(".. .. .# .. .. .# .# #.")},
    {U'<', Design("...# ..#. .#.. #... .#.. ..#. ...#")},
    {U'=', Design("..... ..... ##### ..... ##### ..... .....")},
    {U'>', Design("#... .#.. ..#. ...# ..#. .#.. #...")},
    {U'?', Design(".###. #...# ....# ...#. ..#.. ..... ..#..")},
    {U'@', Design(".###. #...# #.### #.#.# #.### #.... .###.")},
    {U'A', Design(".###. #...# #...# ##### #...# #...# #...#")},
    {U'B', Design("####. #...# #...# ####. #...# #...# ####.")},
    {U'C', Design(".###. #...# #.... #.... #.... #...# .###.")},
    {U'D', Design("###.. #..#. #...# #...# #...# #..#. ###..")},
    {U'E', Design("##### #.... #.... ####. #.... #.... #####")},
    {U'F', Design("##### #.... #.... ####. #.... #.... #....")},
    {U'G', Design(".###. #...# #.... #.### #...# #...# .####")},
    {U'H', Design("#...# #...# #...# ##### #...# #...# #...#")},
    {U'I', Design("### .#. .#. .#. .#. .#. ###")},
    {U'J', Design("..### ...#. ...#. ...#. ...#. #..#. .##..")},
    {U'K', Design("#...# #..#. #.#.. ##... #.#.. #..#. #...#")},
    {U'L', Design("#... #... #... #... #... #... ####")},
    {U'M', Design("#...# ##.## #.#.# #.#.# #...# #...# #...#")},
    {U'N', Design("#...# #...# ##..# #.#.# #..## #...# #...#")},
    {U'O', Design(".###. #...# #...# #...# #...# #...# .###.")},
    {U'P', Design("####. #...# #...# ####. #.... #.... #....")},
    {U'Q', Design(".###. #...# #...# #...# #.#.# #..#. .##.#")},
    {U'R', Design("####. #...# #...# ####. #.#.. #..#. #...#")},
    {U'S', Design(".#### #.... #.... .###. ....# ....# ####.")},
    {U'T', Design("##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..")},
    {U'U', Design("#...# #...# #...# #...# #...# #...# .###.")},
    {U'V', Design("#...# #...# #...# #...# #...# .#.#. ..#..")},
    {U'W', Design("#...# #...# #...# #.#.# #.#.# #.#.# .#.#.")},
    {U'X', Design("#...# #...# .#.#. ..#.. .#.#. #...# #...#")},
    {U'Y', Design("#...# #...# .#.#. ..#.. ..#.. ..#.. ..#..")},
    {U'Z', Design("##### ....# ...#. ..#.. .#... #.... #####")},
    {U'[', Design("### #.. #.. #.. #.. #.. ###")},
    {U'\\', Design("..... #.... .#... ..#.. ...#. ....# .....")},
    {U']', Design("### ..# ..# ..# ..# ..# ###")},
    {U'^', Design("..#.. .#.#. #...# ..... ..... ..... .....")},
    {U'_', Design("..... ..... ..... ..... ..... ..... ..... #####")},
    {U'`', Design("#. .# ..")},
    {U'a', Design("..... ..... .###. ....# .#### #...# .####")},
    {U'b', Design("#.... #.... #.##. ##..# #...# #...# ####.")},
    {U'c', Design("..... ..... .###. #.... #.... #...# .###.")},
    {U'd', Design("....# ....# .##.# #..## #...# #...# .####")},
    {U'e', Design("..... ..... .###. #...# ##### #.... .###.")},
    {U'f', Design("..## .#.. ###. .#.. .#.. .#.. .#..")},
    {U'g', Design("..... ..... .#### #...# #...# #...# .#### ....# .###.")},
    {U'h', Design("#.... #.... #.##. ##..# #...# #...# #...#")},
    {U'i', Design("# . # # # # #")},
    {U'j', Design("..# ... .## ..# ..# ..# ..# #.# .#.")},
    {U'k', Design("#... #... #..# #.#. ##.. #.#. #..#")},
    {U'l', Design("##. .#. .#. .#. .#. .#. ###")},
    {U'm', Design("..... ..... ##.#. #.#.# #.#.# #.#.# #.#.#")},
    {U'n', Design("..... ..... #.##. ##..# #...# #...# #...#")},
    {U'o', Design("..... ..... .###. #...# #...# #...# .###.")},
    {U'p', Design("..... ..... ####. #...# #...# #...# ####. #.... #....")},
    {U'q', Design("..... ..... .#### #...# #...# #...# .#### ....# ....#")},
    {U'r', Design("..... ..... #.##. ##..# #.... #.... #....")},
    {U's', Design("..... ..... .#### #.... .###. ....# ####.")},
    {U't', Design(".#.. .#.. ###. .#.. .#.. .#.# ..#.")},
    {U'u', Design("..... ..... #...# #...# #...# #..## .##.#")},
    {U'v', Design("..... ..... #...# #...# #...# .#.#. ..#..")},
    {U'w', Design("..... ..... #...# #...# #.#.# #.#.# .#.#.")},
    {U'x', Design("..... ..... #...# .#.#. ..#.. .#.#. #...#")},
    {U'y', Design("..... ..... #...# #...# #...# #...# .#### ....# .###.")},
    {U'z', Design("..... ..... ##### ...#. ..#.. .#... #####")},
    {U'{', Design("..# .#. .#. #.. .#. .#. ..#")},
    {U'|', Design("# # # # # # # #")},
    {U'}', Design("#.. .#. .#. ..# .#. .#. #..")},
    {U'~', Design("..... ..... .#... #.#.# ...#. ..... .....")},
};
static_assert(sizeof(kAscii) / sizeof(kAscii[0]) == 95, "every printable ASCII character has a glyph");

constexpr GlyphDesign kDotlessI = Design(". . # # # # #");
constexpr GlyphDesign kEllipsis = Design("..... ..... ..... ..... ..... ..... #.#.#");
constexpr GlyphDesign kBullet = Design("... ... .#. ### .#. ... ...");
constexpr GlyphDesign kDegree = Design(".#. #.# .#. ... ... ... ...");
constexpr GlyphDesign kInvertedExclamation = Design("# . # # # # #");
constexpr GlyphDesign kInvertedQuestion = Design("..#.. ..... ..#.. .#... #.... #...# .###.");
constexpr GlyphDesign kSharpS = Design(".##.. #..#. #.#.. #..#. #...# #...# #.##.");
constexpr GlyphDesign kGuillemetLeft = Design("..... ..... ..#.# .#.#. #.#.. .#.#. ..#.#");
constexpr GlyphDesign kGuillemetRight = Design("..... ..... #.#.. .#.#. ..#.# .#.#. #.#..");
constexpr GlyphDesign kEuro = Design("..### .#... ####. .#... ####. .#... ..###");
constexpr GlyphDesign kSection = Design(".###. #.... .##.. #..#. .##.. ....# .###.");
constexpr GlyphDesign kPound = Design("..##. .#..# .#... ###.. .#... .#... #####");
// Anything without a design: a hollow box one unit narrower than a letter.
constexpr GlyphDesign kMissing = Design("#### #..# #..# #..# #..# #..# ####");
// CJK ideographs, kana, Hangul and full-width forms: a wide box split in two,
// so that such text shows as a row of distinct cells.
constexpr GlyphDesign kWide = Design(
    "######## #......# #......# ######## #......# #......# ########");

constexpr auto BuildAsciiTable() {
  std::array<GlyphDesign, 128> table{};
  for (const Entry& e : kAscii) table[e.ch] = e.design;
  return table;
}
constexpr auto kAsciiTable = BuildAsciiTable();

// Latin-1 letters U+00C0..U+00FF: base letter and accent ('\0' = no letter).
struct Decomposition {
  char base;
  DesignAccent accent;
};
using A = DesignAccent;
constexpr Decomposition kLatin1Letters[64] = {
    {'A', A::Grave}, {'A', A::Acute}, {'A', A::Circumflex}, {'A', A::Tilde},
    {'A', A::Diaeresis}, {'A', A::Ring}, {'E', A::None}, {'C', A::Cedilla},
    {'E', A::Grave}, {'E', A::Acute}, {'E', A::Circumflex}, {'E', A::Diaeresis},
    {'I', A::Grave}, {'I', A::Acute}, {'I', A::Circumflex}, {'I', A::Diaeresis},
    {'D', A::None}, {'N', A::Tilde}, {'O', A::Grave}, {'O', A::Acute},
    {'O', A::Circumflex}, {'O', A::Tilde}, {'O', A::Diaeresis}, {'x', A::None},
    {'O', A::None}, {'U', A::Grave}, {'U', A::Acute}, {'U', A::Circumflex},
    {'U', A::Diaeresis}, {'Y', A::Acute}, {'P', A::None}, {'\0', A::None},
    {'a', A::Grave}, {'a', A::Acute}, {'a', A::Circumflex}, {'a', A::Tilde},
    {'a', A::Diaeresis}, {'a', A::Ring}, {'e', A::None}, {'c', A::Cedilla},
    {'e', A::Grave}, {'e', A::Acute}, {'e', A::Circumflex}, {'e', A::Diaeresis},
    {'i', A::Grave}, {'i', A::Acute}, {'i', A::Circumflex}, {'i', A::Diaeresis},
    {'o', A::None}, {'n', A::Tilde}, {'o', A::Grave}, {'o', A::Acute},
    {'o', A::Circumflex}, {'o', A::Tilde}, {'o', A::Diaeresis}, {'/', A::None},
    {'o', A::None}, {'u', A::Grave}, {'u', A::Acute}, {'u', A::Circumflex},
    {'u', A::Diaeresis}, {'y', A::Acute}, {'p', A::None}, {'y', A::Diaeresis},
};

// Characters drawn with another glyph of the table.
char SubstituteFor(char32_t ch) {
  switch (ch) {
    case 0x00A0: return ' ';   // no-break space
    case 0x00AD: return '-';   // soft hyphen
    case 0x00B7: return '.';   // middle dot
    case 0x00D7: return 'x';
    case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: case 0x2015:
    case 0x2212:
      return '-';
    case 0x2018: case 0x2019: case 0x201A: case 0x2032: return '\'';
    case 0x201C: case 0x201D: case 0x201E: case 0x2033: return '"';
    case 0x2039: return '<';
    case 0x203A: return '>';
    case 0x2002: case 0x2003: case 0x2009: case 0x200A: case 0x202F: return ' ';
    default: return '\0';
  }
}

const GlyphDesign* SpecialDesign(char32_t ch) {
  switch (ch) {
    case 0x00A1: return &kInvertedExclamation;
    case 0x00A3: return &kPound;
    case 0x00A7: return &kSection;
    case 0x00AB: return &kGuillemetLeft;
    case 0x00B0: return &kDegree;
    case 0x00BB: return &kGuillemetRight;
    case 0x00BF: return &kInvertedQuestion;
    case 0x00DF: return &kSharpS;
    case 0x2022: return &kBullet;
    case 0x2026: return &kEllipsis;
    case 0x20AC: return &kEuro;
    default: return nullptr;
  }
}

}  // namespace

bool IsWideCharacter(char32_t ch) {
  return (ch >= 0x1100 && ch <= 0x115F) || (ch >= 0x2E80 && ch <= 0xA4CF) ||
         (ch >= 0xAC00 && ch <= 0xD7A3) || (ch >= 0xF900 && ch <= 0xFAFF) ||
         (ch >= 0xFE30 && ch <= 0xFE4F) || (ch >= 0xFF00 && ch <= 0xFF60) ||
         (ch >= 0xFFE0 && ch <= 0xFFE6) || (ch >= 0x20000 && ch <= 0x3FFFD);
}

const GlyphDesign& DesignFor(char32_t ch, DesignAccent* accent) {
  *accent = DesignAccent::None;
  if (ch >= 0x20 && ch < 0x7F) return kAsciiTable[ch];
  if (ch >= 0xC0 && ch <= 0xFF) {
    const Decomposition& d = kLatin1Letters[ch - 0xC0];
    if (ch == 0xDF) return kSharpS;
    if (ch == 0xF7) return kAsciiTable['+'];
    if (d.base != '\0') {
      *accent = d.accent;
      // Small i loses its dot under an accent.
      if (d.base == 'i' && d.accent != DesignAccent::None) return kDotlessI;
      return kAsciiTable[static_cast<unsigned char>(d.base)];
    }
  }
  if (char sub = SubstituteFor(ch)) return kAsciiTable[static_cast<unsigned char>(sub)];
  if (const GlyphDesign* special = SpecialDesign(ch)) return *special;
  if (IsWideCharacter(ch)) return kWide;
  return kMissing;
}

}  // namespace fonts
