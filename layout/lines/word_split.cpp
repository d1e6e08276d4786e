// The glyph list of a word, the dash and syllable rules, and cutting a text
// item in two.
#include "layout/lines/word_split.h"

#include <new>

#include "foundation/characters/char_class.h"
#include "foundation/containers/segmented_array.h"
#include "layout/drawing/drawing_surface.h"
#include "layout/lines/break_rules.h"
#include "layout/lines/line_records.h"

namespace {

constexpr WCHAR kHyphen[] = {u'-'};
// Glyphs kept past the limit: enough for the syllables near the split
// without measuring the whole of a very long run on every line.
constexpr uint32_t kGlyphsPastLimit = 48;

struct Glyph {
  int32_t x;       // from the word's start
  int32_t width;
  WCHAR ch;
  uint8_t breakAfter;
  uint8_t unused;
  uint32_t order;   // order index of the text item holding it
  uint32_t offset;  // character index inside that item
  int32_t hyphenWidth;
};

class GlyphList {
 public:
  GlyphList() { glyphs_.SetGeometry(sizeof(Glyph), 4); }
  uint32_t Count() const { return glyphs_.count; }
  Glyph& operator[](uint32_t i) { return *static_cast<Glyph*>(glyphs_.At(i)); }
  bool Add(const Glyph& glyph) { return glyphs_.Append(&glyph) >= 0; }
  bool truncated = false;

 private:
  SegmentedArray glyphs_;
};

int32_t MeasureChars(const TextFont& font, const WCHAR* chars, int32_t n) {
  Size size{};
  if (font.surface == nullptr || !font.surface->MeasureText(chars, n, &size)) return 0;
  return size.width;
}

// The width of each of the first n characters, from the surface's widths
// of the current font; one measuring call per character when that fails.
void MeasureEach(const TextFont& font, const WCHAR* chars, uint32_t n, int32_t* widths) {
  if (font.surface != nullptr && font.surface->MeasureCharacters(chars, static_cast<int32_t>(n), widths)) return;
  for (uint32_t i = 0; i < n; ++i) widths[i] = MeasureChars(font, chars + i, 1);
}

// Whether a syllable or dash split is possible at all, before anything is
// measured: a dash after the first character, or enough characters for
// three parts with at least three before the first split.
bool MaySplit(const WordSpan& word) {
  uint32_t count = 0;
  for (LayoutCursor at = word.start; at.order < word.end.order && !at.AtEnd(); at.Next()) {
    if (at.KindAt() != kTextItem) continue;
    const LayoutItem* item = TextAt(at);
    const WCHAR* chars = item->text.Chars();
    for (uint32_t i = 0; i < item->text.length; ++i, ++count) {
      if (count > 0 && CharSubcategory(chars[i]) == 20) return true;
      if (count >= 5) return true;
    }
  }
  return false;
}

// Measures the characters of the word one by one, style runs changing the
// font. Stops `kGlyphsPastLimit` glyphs after the limit is passed.
bool BuildGlyphs(const WordSpan& word, int32_t limit, const TextFont& font, GlyphList* list) {
  TextStyle style = word.style;
  font.Apply(style);
  int32_t hyphen = MeasureChars(font, kHyphen, 1);
  int32_t x = 0;
  uint32_t past = 0;
  for (LayoutCursor at = word.start; at.order < word.end.order && !at.AtEnd(); at.Next()) {
    const uint32_t kind = at.KindAt();
    if (kind == kStyleRunItem) {
      style = *StyleRunAt(at);
      font.Apply(style);
      hyphen = MeasureChars(font, kHyphen, 1);
      continue;
    }
    if (kind != kTextItem) continue;
    const LayoutItem* item = TextAt(at);
    const WCHAR* chars = item->text.Chars();
    // Every character is at least a pixel wide: no more are needed than
    // the limit allows, and the few kept past it.
    uint32_t n = item->text.length;
    if (n == 0) continue;
    const int64_t needed = int64_t{limit > 0 ? limit : 0} - x + kGlyphsPastLimit + 2;
    if (needed < static_cast<int64_t>(n)) n = static_cast<uint32_t>(needed > 0 ? needed : 1);
    int32_t* widths = new (std::nothrow) int32_t[n];
    if (widths == nullptr) return false;
    if (item->text.length == 1) {
      widths[0] = item->width;
    } else {
      MeasureEach(font, chars, n, widths);
    }
    for (uint32_t i = 0; i < n; ++i) {
      Glyph glyph{};
      glyph.x = x;
      glyph.width = widths[i];
      glyph.ch = chars[i];
      glyph.order = at.order;
      glyph.offset = i;
      glyph.hyphenWidth = hyphen;
      if (!list->Add(glyph)) {
        delete[] widths;
        return false;
      }
      x += glyph.width;
      if (x > limit && ++past > kGlyphsPastLimit) {
        list->truncated = true;
        delete[] widths;
        return true;
      }
    }
    delete[] widths;
    if (n < item->text.length) {
      list->truncated = true;
      return true;
    }
  }
  return true;
}

bool IsLetterCategory(int category) { return category == 1 || category == 2; }

// The boundary before the vowel group that ends at b, searching backwards;
// 0 when there is none.
uint32_t SyllableBoundary(GlyphList& g, uint32_t b) {
  auto category = [&](uint32_t i) { return CharCategory(g[i].ch); };
  auto lower = [&](uint32_t i) { return CharToLower(g[i].ch); };
  while (b > 0 && category(b - 1) == 1) --b;
  const uint32_t vowelsEnd = b;
  while (b > 0 && category(b - 1) == 2) --b;
  if (b == vowelsEnd) return 0;
  bool moved = false;
  if (b >= 2 && IsLetterCategory(category(b - 1)) && IsLetterCategory(category(b - 2))) {
    const WCHAR d = lower(b - 1);
    const WCHAR c = lower(b - 2);
    auto in = [](WCHAR ch, const char* set) {
      for (; *set; ++set)
        if (ch == static_cast<WCHAR>(*set)) return true;
      return false;
    };
    uint32_t back = 0;
    if (d == u'l') {
      back = in(c, "bcfgp") ? 2 : 1;
    } else if (d == u'n') {
      back = c == u'g' ? 2 : 1;
    } else if (d == u'r') {
      back = in(c, "bcdfgptv") ? 2 : 1;
    }
    b -= back;
    moved = back != 0;
  }
  if (b >= 2 && lower(b - 1) == u'h') {
    const WCHAR c = lower(b - 2);
    if (c == u'c') {
      b -= (b >= 3 && lower(b - 3) == u's') ? 3 : 2;
    } else if (c == u'p' || c == u's' || c == u't' || c == u'w') {
      b -= 2;
    } else {
      b -= 1;
    }
  }
  if (!moved && b > 0 && category(b - 1) == 1) --b;
  return b;
}

// The index of the glyph after which the word splits; -1 for none. Sets
// *atDash when the split follows a dash.
int32_t FindSplit(uint16_t language, GlyphList& g, int32_t limit, bool* atDash) {
  const uint32_t n = g.Count();
  *atDash = false;
  for (uint32_t i = n; i-- > 1;) {
    if (CharSubcategory(g[i].ch) == 20 && g[i].x + g[i].width <= limit) {
      *atDash = true;
      return static_cast<int32_t>(i);
    }
  }
  if (LanguageWithoutHyphens(language) || n == 0) return -1;
  uint32_t first = 0;
  while (first < n && CharCategory(g[first].ch) == 3) ++first;
  while (first < n && CharCategory(g[first].ch) == 4) ++first;
  uint32_t end = n;
  if (!g.truncated) {
    while (end > first && CharCategory(g[end - 1].ch) == 3) --end;
    while (end > first && CharCategory(g[end - 1].ch) == 4) --end;
  }
  const bool leading = first > 0;
  const bool trailing = end < n;
  uint32_t minimum = (leading ? 2u : 1u) + (trailing ? 2u : 1u);
  if (minimum < 3) minimum = 3;
  // A list cut short stands for a word with at least one more part.
  uint32_t parts = g.truncated ? 2 : 1;
  uint32_t lowest = 0;
  for (uint32_t b = end; b > first;) {
    const uint32_t boundary = SyllableBoundary(g, b);
    if (boundary <= first) break;
    ++parts;
    if (!(trailing && parts == 2)) g[boundary - 1].breakAfter = 1;
    lowest = boundary;
    b = boundary;
  }
  if (parts < minimum) return -1;
  if (leading && lowest != 0) g[lowest - 1].breakAfter = 0;
  for (uint32_t i = 0; i < 2 && i < n; ++i) g[i].breakAfter = 0;  // no split before the third glyph
  for (uint32_t i = end; i-- > 0;) {
    if (g[i].breakAfter && g[i].x + g[i].width + g[i].hyphenWidth <= limit) return static_cast<int32_t>(i);
  }
  return -1;
}

// A text position for the tail of a cut item: past the head, but before the
// entry that follows when the item's text is shorter in the source.
uint32_t TailPosition(const LayoutCursor& item, uint32_t offset) {
  LayoutItemStore* store = item.store;
  const uint32_t position = store->PositionAt(item);
  uint32_t tail = position + offset;
  if (item.order + 1 < store->Count()) {
    const LayoutOrderEntry& next = store->Entry(item.order + 1);
    const uint32_t limit = next.position & ~kLayoutPositionFlag;
    if (!(next.position & kLayoutPositionFlag) && limit > position && tail >= limit) tail = limit - 1;
  }
  return tail;
}

// Cuts the word after character `offset` - 1 of the item at order index
// `order` (offset 0: the split falls before that item) and inserts a hyphen
// mark of `hyphenWidth` when it is not 0.
bool CutAt(const WordSpan& word, uint32_t order, uint32_t offset, int32_t hyphenWidth, const TextFont& font,
           WordSplitResult* result) {
  TextStyle style = word.style;
  int32_t head = 0;
  LayoutCursor at = word.start;
  for (; at.order < order; at.Next()) {
    const uint32_t kind = at.KindAt();
    if (kind == kStyleRunItem) style = *StyleRunAt(at);
    if (kind == kTextItem) head += TextAt(at)->width;
  }
  LayoutItemStore* store = at.store;
  uint32_t tailPosition = store->PositionAt(at);
  if (offset > 0) {
    font.Apply(style);
    LayoutItem* item = TextAt(at);
    LayoutItem tail;
    tail.text.AssignFrom(item->text, offset);
    tail.Measure(font.surface);
    tailPosition = TailPosition(at, offset);
    LayoutCursor after = at;
    after.Next();
    if (!store->InsertKind7At(after, tail, tailPosition, false)) {
      result->failed = true;
      return false;
    }
    item = TextAt(at);  // the insert may have moved the array's blocks
    item->text.AssignSubstring(item->text, 0, offset);
    item->Measure(font.surface);
    head += item->width;
    at = after;
  }
  if (hyphenWidth > 0) {
    MarkRecord mark;
    mark.code = kMarkHyphen;
    mark.value = hyphenWidth;
    if (!store->InsertItemAt(kMarkItem, at, &mark, tailPosition, true)) {
      result->failed = true;
      return false;
    }
    at.Next();
    head += hyphenWidth;
  }
  result->next = at;
  result->headWidth = head;
  result->style = style;
  return true;
}

}  // namespace

bool SplitWordToFit(uint16_t language, const WordSpan& word, int32_t limit, const TextFont& font,
                    WordSplitResult* result) {
  if (!MaySplit(word)) return false;
  GlyphList glyphs;
  if (!BuildGlyphs(word, limit, font, &glyphs)) {
    result->failed = true;
    return false;
  }
  bool atDash = false;
  const int32_t split = FindSplit(language, glyphs, limit, &atDash);
  if (split < 0 || static_cast<uint32_t>(split) + 1 >= glyphs.Count()) return false;
  const Glyph& last = glyphs[static_cast<uint32_t>(split)];
  const Glyph& next = glyphs[static_cast<uint32_t>(split) + 1];
  const int32_t hyphen = (atDash || LanguageWithoutHyphens(language)) ? 0 : last.hyphenWidth;
  return CutAt(word, next.order, next.order == last.order ? next.offset : 0, hyphen, font, result);
}

bool SplitWordAnywhere(uint16_t language, const WordSpan& word, int32_t limit, const TextFont& font,
                       WordSplitResult* result) {
  GlyphList glyphs;
  if (!BuildGlyphs(word, limit, font, &glyphs)) {
    result->failed = true;
    return false;
  }
  const bool hyphens = !LanguageWithoutHyphens(language);
  uint32_t split = 0;  // glyphs that stay on the line
  while (split < glyphs.Count()) {
    const Glyph& g = glyphs[split];
    if (g.x + g.width + (hyphens ? g.hyphenWidth : 0) > limit) break;
    ++split;
  }
  // No line begins with closing punctuation or ends after opening one.
  while (split > 1 && split < glyphs.Count() &&
         (IsClosingPunctuation(glyphs[split].ch) || IsOpeningPunctuation(glyphs[split - 1].ch)))
    --split;
  if (split == 0 || split >= glyphs.Count()) return false;
  const Glyph& last = glyphs[split - 1];
  const Glyph& next = glyphs[split];
  const int sub = CharSubcategory(last.ch);
  const int32_t hyphen = (hyphens && sub <= 2) ? last.hyphenWidth : 0;
  return CutAt(word, next.order, next.order == last.order ? next.offset : 0, hyphen, font, result);
}

bool SplitWordAfterFirst(const WordSpan& word, const TextFont& font, WordSplitResult* result) {
  for (LayoutCursor at = word.start; at.order < word.end.order && !at.AtEnd(); at.Next()) {
    if (at.KindAt() != kTextItem || TextAt(at)->text.length == 0) continue;
    LayoutCursor after = at;
    after.Next();
    if (TextAt(at)->text.length > 1) return CutAt(word, at.order, 1, 0, font, result);
    if (after.order >= word.end.order) return false;  // the word is this one character
    return CutAt(word, after.order, 0, 0, font, result);
  }
  return false;
}
