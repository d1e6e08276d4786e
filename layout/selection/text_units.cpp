// Words on a laid-out page: classification, steps, and text extraction.
#include "layout/selection/text_units.h"

#include "layout/lines/line_records.h"

namespace {

constexpr uint32_t kLookupWords = 3;
constexpr uint32_t kLookupWordsIdeographic = 7;
constexpr uint32_t kShortLookup = 9;

bool IsIdeographicLanguage(uint16_t language) {
  const uint16_t primary = language & 0x3FF;
  return primary == 4 || primary == 17 || primary == 18;
}

// A break that adds a space between the text around it.
bool AddsSpace(const LayoutCursor& at) {
  const MarkRecord& mark = *MarkAt(at);
  if (mark.code == kMarkHyphen) return false;
  if (mark.code == kMarkSpace && mark.value == 0) return false;  // a zero-width break
  return true;
}

}  // namespace

TextUnit ClassifyItem(const LayoutCursor& at) {
  switch (at.KindAt()) {
    case kTextItem:
    case kObjectItem:
      return TextUnit::kText;
    case kMarkItem:
      return MarkAt(at)->code == kMarkHyphen ? TextUnit::kText : TextUnit::kSeparator;
    case kParagraphFormatItem:
    case kLineItem:
    case kStyleRunItem:
    case kLayoutKindCount:
      return TextUnit::kNeutral;
    default:
      return TextUnit::kSeparator;
  }
}

bool StepUnit(LayoutCursor* cursor, bool forward, bool toText) {
  const TextUnit wanted = toText ? TextUnit::kText : TextUnit::kSeparator;
  if (forward) {
    for (; !cursor->AtEnd(); cursor->Next()) {
      if (ClassifyItem(*cursor) == wanted) return true;
    }
    return !toText;
  }
  while (cursor->Prev() != kLayoutKindCount) {
    if (ClassifyItem(*cursor) == wanted) {
      cursor->Next();
      return true;
    }
  }
  return !toText;
}

void AdvanceWords(LayoutCursor* cursor, uint32_t n) {
  for (uint32_t i = 0; i < n && !cursor->AtEnd(); ++i) {
    StepUnit(cursor, true, true);
    StepUnit(cursor, true, false);
  }
}

bool ExtractText(const LayoutCursor& from, const LayoutCursor& to, SharedWideString* out, uint16_t* language) {
  out->Clear();
  *language = 0;
  bool spaceDue = false;
  bool taken = false;
  LayoutCursor first;
  for (LayoutCursor at = from; !at.AtEnd() && CursorBefore(at, to); at.Next()) {
    const uint32_t kind = at.KindAt();
    if (kind == kMarkItem && AddsSpace(at)) {
      spaceDue = taken;
      continue;
    }
    if (kind != kTextItem) continue;
    const SharedWideString& text = TextAt(at)->text;
    if (text.IsEmpty()) continue;
    if (spaceDue && !out->AppendChars(u" ", 1)) {
      out->Clear();
      return false;
    }
    spaceDue = false;
    if (!out->Append(text)) {
      out->Clear();
      return false;
    }
    if (!taken) first = at;
    taken = true;
  }
  out->Trim(true, true);
  if (!taken) return true;
  for (LayoutCursor back = first; back.Prev() != kLayoutKindCount;) {
    if (back.KindAt() != kStyleRunItem) continue;
    const uint16_t word = StyleRunAt(back)->language;
    if (word != 0) *language = word;
    break;
  }
  return true;
}

bool GetLookupWord(LayoutItemStore* page, SharedWideString* out) {
  LayoutCursor start = LayoutCursor::Begin(page);
  LayoutCursor end = start;
  AdvanceWords(&end, kLookupWords);
  uint16_t language = 0;
  if (!ExtractText(start, end, out, &language)) return false;
  if (out->length > kShortLookup) return true;
  // The language of the page's first style run.
  uint16_t firstLanguage = 0;
  for (LayoutCursor at = start; !at.AtEnd(); at.Next()) {
    if (at.KindAt() == kStyleRunItem) {
      firstLanguage = StyleRunAt(at)->language;
      break;
    }
  }
  if (!IsIdeographicLanguage(firstLanguage)) return true;
  end = start;
  AdvanceWords(&end, kLookupWordsIdeographic);
  return ExtractText(start, end, out, &language);
}
