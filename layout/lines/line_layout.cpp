// LayOutLine and the handling of the items that end a line.
#include "layout/lines/line_layout.h"

#include "layout/drawing/drawing_surface.h"
#include "layout/lines/break_rules.h"
#include "layout/lines/word_split.h"
#include "layout/styles/style_length.h"

namespace {

constexpr int32_t kModeBreak = 2;
constexpr int32_t kModeWord = 7;
constexpr int32_t kModeObject = 9;
constexpr int32_t kModeNone = 0;  // after a word was completed

// Flags of the line state.
constexpr uint8_t kStateBoxTop = 0x01;
constexpr uint8_t kStateBoxBottom = 0x02;
constexpr uint8_t kStateNotPlain = 0x04;

constexpr WCHAR kNotText = 0;  // the characters of a candidate before an object

struct LineState {
  LayoutCursor cursor;
  int32_t remaining = 0;
  int32_t mode = kModeBreak;
  TextStyle style;
  ParagraphFormat format;
  LineMetrics metrics;
  LineBox box;
  int32_t fontSize = 0;
  WCHAR first = u' ';
  WCHAR last = u' ';
  int32_t trailing = 0;
  int32_t breaks = 0;
  int32_t wordWidth = 0;
  uint8_t flags = 0;
  uint8_t lineFlags = 0;
  bool fontIncluded = false;
  bool hasContent = false;  // text or an object stands on the line
};

// The last four places where the line could end, newest last.
class BreakCandidateRing {
 public:
  void Push(const LineState& state) {
    slots_[next_] = state;
    next_ = (next_ + 1) & 3;
    if (count_ < 4) ++count_;
  }
  uint32_t Count() const { return count_; }
  // i = 0 is the newest.
  LineState& FromNewest(uint32_t i) { return slots_[(next_ + 4 - 1 - i) & 3]; }

 private:
  LineState slots_[4];
  uint32_t next_ = 0;
  uint32_t count_ = 0;
};

bool CanStart(const LineState& candidate) {
  return candidate.first == kNotText || !IsClosingPunctuation(candidate.first);
}

// The candidate the line ends at: the newest whose word may begin a line
// and whose previous word may end one; the newest when none is, or when the
// choice would leave the line empty.
uint32_t ChooseBreak(BreakCandidateRing& ring) {
  uint32_t b = 0;
  bool canStart = CanStart(ring.FromNewest(0));
  for (uint32_t e = 1; e < ring.Count(); ++e) {
    const LineState& older = ring.FromNewest(e);
    if (canStart && (older.last == kNotText || !IsOpeningPunctuation(older.last))) {
      return ring.FromNewest(b).hasContent ? b : 0;
    }
    b = e;
    canStart = CanStart(older);
  }
  return 0;
}

class LineBuilder {
 public:
  LineBuilder(LineEnvironment& env, FlowSpace* space) : env_(env), space_(space) {}
  bool Run(LayoutCursor* cursor, bool* more, bool* atTop, bool* produced);

 private:
  enum class End { kNone, kMark, kWrap, kPageFull, kBeforeTable, kFailed };

  DrawingSurface* Surface() const { return env_.font.surface; }
  void IncludeFont() {
    if (s_.fontIncluded || Surface() == nullptr) return;
    s_.metrics.Include(Surface()->GetAscent(), Surface()->GetDescent());
    s_.fontIncluded = true;
  }
  bool ReadMore() { return env_.feed != nullptr && env_.feed->ReadMore(env_.store); }
  End OnFormat();
  End OnMark();
  End OnText();
  End OnObject();
  End CompleteWord();
  End OverflowWord(bool firstItemTooWide);
  End BreakAtCandidate();
  End TakeSplit(const WordSplitResult& split);
  bool ConsumeLineEnd();
  void FillRecord(LineRecord* line) const;

  LineEnvironment& env_;
  FlowSpace* space_;
  LineState s_;
  BreakCandidateRing ring_;
  bool atTop_ = false;
  bool fillColumn_ = false;  // a mark ends the column after this line
  bool wrapped_ = false;
};

LineBuilder::End LineBuilder::OnFormat() {
  const int32_t used = s_.box.AvailableWidth() - s_.remaining;
  s_.format = *FormatAt(s_.cursor);
  const bool start = (s_.format.boxFlags & kFormatParagraphStart) != 0;
  s_.box.SetIndents(s_.format, start, s_.fontSize, space_->width);
  if (start) {
    s_.metrics.extraAbove += ResolveStyleLength(s_.format.lengths[3], s_.fontSize, space_->height);
    if (s_.format.marker & 3) s_.flags |= kStateNotPlain;
  }
  if ((s_.format.boxFlags & kFormatBordered) && (s_.format.boxFlags & kFormatOwnBackground)) {
    s_.lineFlags |= kLineBoxTop;
    s_.flags |= kStateBoxTop;
  }
  s_.box.flags = (s_.format.boxFlags & kFormatBordered) ? LineBox::kBordered : 0;
  s_.remaining = s_.box.FitWidth(*space_) - used;
  s_.cursor.Next();
  return End::kNone;
}

LineBuilder::End LineBuilder::OnMark() {
  IncludeFont();
  MarkRecord mark = *MarkAt(s_.cursor);
  if (env_.tablesAsLines && (mark.code == kMarkTableEnd || mark.code == kMarkRowEnd || mark.code == kMarkCellEnd)) {
    mark.code = kMarkLineEnd;
    mark.value = 1;
  }
  switch (mark.code) {
    case kMarkPageBreak: {
      // A page break at the top of a page, or before anything of it, would
      // only make an empty page.
      const LayoutCursor& c = s_.cursor;
      const uint32_t before = c.index[kTableItem] + c.index[kTableRowItem] + c.index[kTableCellItem] +
                              c.index[kTextItem] + c.index[kObjectItem];
      if (mark.value != 0 && !s_.hasContent && (atTop_ || before == 0)) {
        s_.cursor.Next();
        return End::kNone;
      }
      fillColumn_ = true;
      return End::kPageFull;
    }
    case kMarkParagraphEnd:
      if (mark.value != 0 && !s_.hasContent) {
        s_.cursor.Next();
        return End::kNone;
      }
      s_.lineFlags |= kLineParagraphEnd;
      if ((mark.flags & kMarkBoxClosed) && (s_.format.boxFlags & kFormatBordered)) s_.flags |= kStateBoxBottom;
      s_.metrics.extraBelow += ResolveStyleLength(s_.format.lengths[4], s_.fontSize, space_->height);
      s_.cursor.Next();
      return End::kMark;
    case kMarkLineEnd:
      if (mark.value != 0 && !s_.hasContent) {
        s_.cursor.Next();
        return End::kNone;
      }
      if (mark.value == 0 && s_.metrics.itemAscent == 0) s_.flags |= kStateNotPlain;
      s_.cursor.Next();
      return End::kMark;
    case kMarkTableEnd:
      env_.store->EraseAt(s_.cursor);
      fillColumn_ = true;
      return End::kPageFull;
    case kMarkRowEnd:
    case kMarkCellEnd:
      fillColumn_ = true;
      return End::kPageFull;
    case kMarkSpace:
      if (s_.mode == kModeBreak) {
        env_.store->EraseAt(s_.cursor);
        return End::kNone;
      }
      s_.remaining -= mark.value;
      s_.trailing = mark.value;
      ++s_.breaks;
      s_.mode = kModeBreak;
      s_.cursor.Next();
      return End::kNone;
    case kMarkTextEnd:
      fillColumn_ = true;
      return End::kPageFull;
    default:  // hyphens and unknown codes take no room here
      s_.cursor.Next();
      return End::kNone;
  }
}

LineBuilder::End LineBuilder::TakeSplit(const WordSplitResult& split) {
  s_.remaining -= split.headWidth;
  s_.style = split.style;
  s_.cursor = split.next;
  s_.hasContent = true;
  s_.trailing = 0;
  s_.mode = kModeNone;
  wrapped_ = true;
  return End::kWrap;
}

LineBuilder::End LineBuilder::BreakAtCandidate() {
  const uint32_t chosen = ChooseBreak(ring_);
  LineState& candidate = ring_.FromNewest(chosen);
  if (!candidate.hasContent) return End::kNone;  // the line would be empty
  const LineMetrics metrics = s_.metrics;  // what was met stays counted
  s_ = candidate;
  s_.metrics.Include(metrics.fontAscent, metrics.fontDescent);
  wrapped_ = true;
  return End::kWrap;
}

// The word [latest candidate, cursor) does not fit in the remaining width.
LineBuilder::End LineBuilder::OverflowWord(bool firstItemTooWide) {
  LineState& start = ring_.FromNewest(0);
  WordSpan word;
  word.start = start.cursor;
  word.end = s_.cursor;
  if (firstItemTooWide) word.end.Next();
  word.style = start.style;
  const uint16_t language = start.style.language;
  const int32_t available = s_.box.AvailableWidth();
  const int32_t room = s_.remaining;
  WordSplitResult split;
  const bool lineEmpty = !start.hasContent;
  const bool wide = firstItemTooWide || s_.wordWidth > available;
  if (!wide || !lineEmpty) {
    if ((wide || WorthSplitting(room, available)) && SplitWordToFit(language, word, room, env_.font, &split))
      return TakeSplit(split);
    if (split.failed) return End::kFailed;
    if (wide && firstItemTooWide && SplitWordAnywhere(language, word, room, env_.font, &split))
      return TakeSplit(split);
    if (split.failed) return End::kFailed;
    const End end = BreakAtCandidate();
    if (end != End::kNone) return end;
  }
  // The word begins the line and still does not fit: split it anywhere,
  // and when not even one character fits, show the first one clipped.
  if (SplitWordToFit(language, word, room, env_.font, &split)) return TakeSplit(split);
  if (!split.failed && SplitWordAnywhere(language, word, room, env_.font, &split)) return TakeSplit(split);
  if (!split.failed && SplitWordAfterFirst(word, env_.font, &split)) return TakeSplit(split);
  if (split.failed) return End::kFailed;
  // A word of one character: it stays whole on this line.
  s_.cursor = word.end;
  s_.remaining -= s_.wordWidth;
  s_.hasContent = true;
  s_.mode = kModeNone;
  wrapped_ = true;
  return End::kWrap;
}

LineBuilder::End LineBuilder::CompleteWord() {
  if (s_.wordWidth > s_.remaining) return OverflowWord(false);
  s_.remaining -= s_.wordWidth;
  s_.wordWidth = 0;
  s_.mode = kModeNone;
  return End::kNone;
}

LineBuilder::End LineBuilder::OnText() {
  IncludeFont();
  LayoutItem* item = TextAt(s_.cursor);
  item->Measure(Surface());
  const WCHAR* chars = item->text.Chars();
  const uint32_t n = item->text.length;
  if (s_.mode == kModeWord) {
    s_.metrics.NoteText(item->text);
    s_.wordWidth += item->width;
    if (n > 0) ring_.FromNewest(0).last = chars[n - 1];
    s_.cursor.Next();
    return End::kNone;
  }
  s_.first = n > 0 ? chars[0] : u' ';
  s_.last = n > 0 ? chars[n - 1] : u' ';
  ring_.Push(s_);  // the state before the word: a line ending here ends on what preceded it
  s_.metrics.NoteText(item->text);
  s_.mode = kModeWord;
  s_.wordWidth = item->width;
  s_.hasContent = true;
  s_.trailing = 0;
  if (s_.wordWidth > s_.box.AvailableWidth()) return OverflowWord(true);
  s_.cursor.Next();
  return End::kNone;
}

LineBuilder::End LineBuilder::OnObject() {
  if (s_.remaining < 0) {
    s_.remaining += s_.trailing;
    return End::kWrap;
  }
  LayoutObject* object = ObjectAt(s_.cursor);
  s_.first = s_.last = kNotText;
  ring_.Push(s_);
  const int32_t columnWidth = space_->width;
  const int32_t hs = object->words[kObjectHSpace];
  const int32_t vs = object->words[kObjectVSpace];
  int64_t w = ResolveStyleLength(static_cast<StyleLength>(object->words[kObjectWidth]), s_.fontSize, columnWidth);
  int64_t h = ResolveStyleLength(static_cast<StyleLength>(object->words[kObjectHeight]), s_.fontSize,
                                 space_->height);
  int64_t descent = object->words[kObjectDescent];
  const bool keepAspect = (object->flags & kObjectKeepAspect) != 0;
  auto scaleTo = [&](int64_t newWidth) {
    if (keepAspect && w > 0) {
      h = h * newWidth / w;
      descent = descent * newWidth / w;
    }
    w = newWidth;
  };
  if (w == 0 && h == 0) {  // no requested size: takes no room
    s_.cursor.Next();
    return End::kNone;
  }
  if (object->flags & kObjectFit) {
    const int64_t limit = int64_t{columnWidth} - 2 * hs;
    if (w > limit && limit > 0) scaleTo(limit);
    const int64_t below = int64_t{space_->Remaining()} - 2 * vs - s_.metrics.extraAbove - s_.metrics.extraBelow;
    if ((atTop_ || below >= (3 * int64_t{space_->height} - 6 * vs) / 4) && h > below && below > 0) {
      if (keepAspect && h > 0) w = w * below / h;
      descent = h > 0 ? descent * below / h : descent;
      h = below;
    }
  }
  if (w < 1) w = 1;
  if (h < 1) h = 1;
  int32_t align = object->words[kObjectAlignment];
  if (!s_.hasContent && !(object->flags & kObjectOwnLine)) align = kAlignBaseline;
  bool endsLine = false;
  if (w + 2 * hs > s_.remaining) {
    if (s_.hasContent) {  // the line ends before the object
      wrapped_ = true;
      return End::kWrap;
    }
    scaleTo(s_.remaining - 2 * hs > 1 ? s_.remaining - 2 * hs : 1);
    endsLine = true;
  }
  s_.remaining -= static_cast<int32_t>(w + 2 * hs);
  s_.mode = kModeObject;
  s_.hasContent = true;
  s_.trailing = 0;
  object->words[kObjectPlacedWidth] = static_cast<int32_t>(w);
  object->words[kObjectPlacedHeight] = static_cast<int32_t>(h);
  s_.metrics.AddItem(align, static_cast<int32_t>(h), static_cast<int32_t>(descent), vs);
  s_.cursor.Next();
  if (endsLine) {
    wrapped_ = true;
    return End::kWrap;
  }
  return End::kNone;
}

// Takes what ends a line after its closing mark: paragraph formats, marks
// of paragraph ends, spaces and hyphens, and style runs. Of these only the
// last paragraph format and the last style run stay, for the next line.
bool LineBuilder::ConsumeLineEnd() {
  LayoutItemStore* store = env_.store;
  LayoutCursor walk = s_.cursor;
  uint32_t taken = 0;
  uint32_t lastFormat = UINT32_MAX;
  uint32_t lastStyle = UINT32_MAX;
  uint32_t lastParagraphEnd = UINT32_MAX;
  for (;;) {
    if (walk.AtEnd()) {
      if (!ReadMore()) return false;
      continue;
    }
    const uint32_t kind = walk.KindAt();
    if (kind == kParagraphFormatItem) {
      lastFormat = taken;
    } else if (kind == kStyleRunItem) {
      lastStyle = taken;
    } else if (kind == kMarkItem) {
      const MarkRecord* mark = MarkAt(walk);
      if (mark->code != kMarkParagraphEnd && mark->code != kMarkSpace && mark->code != kMarkHyphen) break;
      if (mark->code == kMarkParagraphEnd) {
        lastParagraphEnd = taken;
        s_.lineFlags |= kLineParagraphEnd;
        if ((mark->flags & kMarkBoxClosed) && (s_.format.boxFlags & kFormatBordered))
          s_.metrics.flags |= LineMetrics::kExtraBelow;
      }
    } else {
      break;
    }
    walk.Next();
    ++taken;
  }
  // A paragraph start among the formats dropped after the last paragraph
  // end still starts the next paragraph.
  uint8_t startBit = 0;
  LayoutCursor at = s_.cursor;
  for (uint32_t i = 0; i < taken; ++i) {
    const uint32_t kind = at.KindAt();
    const bool keep = (kind == kParagraphFormatItem && i == lastFormat) || (kind == kStyleRunItem && i == lastStyle);
    if (kind == kStyleRunItem && i == lastStyle) *env_.frameStyle = *StyleRunAt(at);
    if (keep) {
      if (kind == kParagraphFormatItem) FormatAt(at)->boxFlags |= startBit;
      at.Next();
      continue;
    }
    if (kind == kParagraphFormatItem && (lastParagraphEnd == UINT32_MAX || i > lastParagraphEnd))
      startBit |= FormatAt(at)->boxFlags & kFormatParagraphStart;
    store->EraseAt(at);
  }
  return true;
}

void LineBuilder::FillRecord(LineRecord* line) const {
  const int32_t border = (s_.box.flags & LineBox::kBordered) ? 2 : 0;
  line->width = s_.box.AvailableWidth();
  line->height = s_.metrics.height;
  line->leftIndent = s_.box.left + border;
  line->rightIndent = s_.box.right + border;
  line->spaceAbove = s_.metrics.SpaceAbove();
  line->spaceBelow = s_.metrics.SpaceBelow();
  line->contentWidth = s_.remaining + s_.trailing;
  const bool endedOnSpace = s_.mode == kModeBreak && s_.breaks > 0;
  line->spaceCount = s_.breaks + (endedOnSpace ? 0 : 1);
  line->format = s_.format;
  uint8_t flags = s_.lineFlags;
  if (wrapped_) flags |= kLineWrapped;
  if (s_.flags & kStateBoxBottom) flags |= kLineBoxBottom;
  if (!(s_.flags & kStateNotPlain)) flags |= kLinePlain;
  line->flags = flags;
  line->baseline = s_.metrics.baseline;
  line->textTop = s_.metrics.baseline - s_.metrics.fontAscent;
  line->textBottom = s_.metrics.baseline + s_.metrics.fontDescent;
}

bool LineBuilder::Run(LayoutCursor* cursor, bool* more, bool* atTop, bool* produced) {
  LayoutItemStore* store = env_.store;
  atTop_ = *atTop;
  *produced = true;
  *more = false;
  if (cursor->AtEnd() || cursor->KindAt() != kLineItem) {
    LineRecord empty;
    const uint32_t position = store->PositionAt(*cursor);
    if (!store->InsertItemAt(kLineItem, *cursor, &empty, position, true)) return false;
  } else {
    *LineAt(*cursor) = LineRecord{};
  }
  const LayoutCursor lineCursor = *cursor;
  s_.cursor = *cursor;
  s_.cursor.Next();
  s_.style = *env_.frameStyle;
  s_.format = *env_.frameFormat;
  s_.fontSize = env_.font.SizeFor(s_.style);
  env_.font.Apply(s_.style);
  s_.box.flags = (s_.format.boxFlags & kFormatBordered) ? LineBox::kBordered : 0;
  s_.box.SetIndents(s_.format, false, s_.fontSize, space_->width);
  s_.remaining = s_.box.FitWidth(*space_);
  s_.metrics.spacing = env_.lineSpacing;
  s_.mode = kModeBreak;

  End end = End::kNone;
  while (end == End::kNone) {
    if (s_.cursor.AtEnd()) {
      if (!ReadMore()) return false;
      continue;
    }
    const uint32_t kind = s_.cursor.KindAt();
    if (s_.mode == kModeWord &&
        ((kind == kMarkItem && MarkAt(s_.cursor)->code != kMarkHyphen) || kind == kObjectItem ||
         kind == kTableItem)) {
      end = CompleteWord();
      if (end != End::kNone) break;
    }
    switch (kind) {
      case kParagraphFormatItem:
        end = OnFormat();
        break;
      case kSectionColorItem: {
        const SectionColorRecord* record = static_cast<const SectionColorRecord*>(
            store->fixed[kSectionColorItem].At(s_.cursor.index[kSectionColorItem]));
        if (record->flag != 0 && env_.sectionColor != nullptr) *env_.sectionColor = record->color.value;
        s_.cursor.Next();
        break;
      }
      case kMarkItem:
        end = OnMark();
        break;
      case kLineItem:
      case kTableRowItem:
      case kTableCellItem:
        store->EraseAt(s_.cursor);
        break;
      case kTableItem:
        s_.metrics.Reset();
        *produced = false;
        end = End::kBeforeTable;
        break;
      case kTextItem:
        end = OnText();
        break;
      case kStyleRunItem:
        s_.style = *StyleRunAt(s_.cursor);
        env_.font.Apply(s_.style);
        s_.fontSize = env_.font.SizeFor(s_.style);
        s_.fontIncluded = false;
        s_.cursor.Next();
        break;
      case kObjectItem:
        end = OnObject();
        break;
      default:
        s_.cursor.Next();
        break;
    }
  }
  if (end == End::kFailed) return false;
  if (end == End::kMark && !ConsumeLineEnd()) return false;
  // A column-filling mark on an empty line adds no line of its own.
  if (end == End::kPageFull && !s_.hasContent) *produced = false;

  bool fits = true;
  if (!*atTop) {
    s_.metrics.Finish();
    fits = space_->Remaining() >= s_.metrics.height;
  }
  *more = fits;
  if (!fits) {
    *cursor = lineCursor;  // the line goes on the next column or page
    return true;
  }
  *cursor = s_.cursor;
  *env_.frameStart = store->PositionAt(*cursor);
  *env_.frameStyle = s_.style;
  *env_.frameFormat = s_.format;
  LineRecord* line = LineAt(lineCursor);
  if (*produced) {
    if (!(s_.metrics.flags & LineMetrics::kFinished)) s_.metrics.Finish();
    FillRecord(line);
    space_->PlaceLine(line, 0);
    space_->Advance(s_.metrics.height);
    *atTop = false;
    env_.frameFormat->boxFlags &= static_cast<uint8_t>(~kFormatParagraphStart);
  } else {
    space_->PlaceLine(line, 0);
  }
  if (fillColumn_) {
    space_->MarkFull();
    *more = false;
  }
  return true;
}

}  // namespace

bool LayOutLine(LineEnvironment& env, FlowSpace* space, LayoutCursor* cursor, bool* more, bool* atTop,
                bool* produced) {
  LineBuilder builder(env, space);
  return builder.Run(cursor, more, atTop, produced);
}
