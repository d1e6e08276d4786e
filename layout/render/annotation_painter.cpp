// AnnotationPainter: highlights and notes over the painted text.
#include "layout/render/annotation_painter.h"

#include <new>

#include "storage/side_file/book_parameter_file.h"

namespace {

constexpr uint32_t kNoMark = 0xFFFFFFFFu;
// Marks looked at per step: the walk never stalls a paint on a long run of
// marks that ended before the page.
constexpr uint32_t kMarksPerStep = 8;

bool IsNoteKind(uint32_t kind) { return kind == 2 || kind == 16 || kind == 32; }

// Colour from a style word: 0 the default, 1-8 the palette, 15 the word's
// own colour in bits 8-31 (red, green, blue); anything else none.
Color StyleWordColor(uint32_t word, Color standard) {
  const uint32_t index = word & 0x0F;
  if (index == 0) return standard;
  if (index <= 8) return AnnotationPaletteColor(index);
  if (index == 15)
    return Color::FromRgb(static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word >> 16),
                          static_cast<uint8_t>(word >> 24));
  return standard;
}

uint8_t Tint(uint8_t background, uint8_t text) { return static_cast<uint8_t>((14 * background + text) / 15); }

}  // namespace

Color AnnotationPaletteColor(uint32_t index) {
  static constexpr Color kPalette[8] = {
      Color::FromRgb(255, 0, 0),   Color::FromRgb(0, 255, 0),   Color::FromRgb(0, 0, 255),
      Color::FromRgb(0, 255, 255), Color::FromRgb(255, 0, 255), Color::FromRgb(255, 255, 0),
      Color::FromRgb(0, 0, 0),     Color::FromRgb(255, 255, 255),
  };
  if (index == 0 || index > 8) index = 1;
  return kPalette[index - 1];
}

void AnnotationPainter::Reset(BookParameterFile* store, Color highlightColor, uint8_t noteStyle, Color textColor,
                              uint32_t from, uint32_t to) {
  store_ = store;
  highlightColor_ = highlightColor;
  defaultNoteStyle_ = noteStyle;
  textColor_ = textColor;
  to_ = to;
  highlightEnd_ = kNone;
  EndNote();
  nextChange_ = kNone;
  mark_ = store_ != nullptr ? store_->FirstBookmark(from, to, &iterator_) : kNoMark;
  Advance(from, false);
}

void AnnotationPainter::EndNote() {
  noteEnd_ = kNone;
  noteAction_ = RefPtr<LinkAction>();
  noteHasTarget_ = false;
  noteMark_ = kNoMark;
  noteStarted_ = false;
}

bool AnnotationPainter::Advance(uint32_t position, bool makeLinks) {
  if (nextChange_ != kNone && position < nextChange_) return false;
  if (nextChange_ == kNone && mark_ == kNoMark) return false;
  bool changed = false;
  if (highlightEnd_ != kNone && position >= highlightEnd_) {
    EndHighlight();
    changed = true;
  }
  if (noteEnd_ != kNone && position >= noteEnd_) {
    EndNote();
    changed = true;
  }
  // The earlier of the active ends: a highlight that ends inside a note
  // must end where it ends.
  nextChange_ = kNone;
  if (highlightEnd_ != kNone) nextChange_ = highlightEnd_;
  if (noteEnd_ != kNone && (nextChange_ == kNone || noteEnd_ < nextChange_)) nextChange_ = noteEnd_;
  auto lower = [this](int64_t at) {
    if (nextChange_ == kNone || at < nextChange_) nextChange_ = at;
  };
  uint32_t taken = 0;
  for (uint32_t looked = 0; mark_ != kNoMark && taken < 2; ++looked) {
    if (looked == kMarksPerStep) {
      lower(int64_t{position} + 1);
      break;
    }
    uint32_t start = 0, end = 0, viewPosition = 0, viewExtra = 0, extra = 0;
    if (store_->GetBookmarkRange(mark_, &start, &end, &viewPosition, &viewExtra, &extra) != RecordResult::kOk) {
      mark_ = store_->NextBookmark(&iterator_);
      continue;
    }
    if (start >= to_) {
      mark_ = kNoMark;
      break;
    }
    if (start > position) {
      lower(start);
      break;
    }
    const uint32_t kind = store_->GetBookmarkKind(mark_);
    if (end > position && IsNoteKind(kind)) {
      EndNote();
      noteEnd_ = end;
      noteStyle_ = extra;
      noteMark_ = mark_;
      noteHasTarget_ = store_->GetBookmarkTarget(mark_) != kNoMark;
      noteStarted_ = true;
      if (makeLinks) {
        // The note's action: a number pair (25, 71) with the mark.
        LinkAction* action = new (std::nothrow) LinkAction;
        if (action != nullptr) {
          action->SetNumberPairReference(25, 71, reinterpret_cast<void*>(static_cast<uintptr_t>(mark_)));
          noteAction_ = RefPtr<LinkAction>(action);
          action->Release();
        }
      }
      lower(end);
      changed = true;
      ++taken;
    } else if (end > position && kind == kKindHighlight) {
      highlightEnd_ = end;
      highlightStyle_ = extra;
      lower(end);
      changed = true;
      ++taken;
    }
    mark_ = store_->NextBookmark(&iterator_);
  }
  return changed;
}

uint8_t AnnotationPainter::NoteStyleByte() const {
  if (noteHasTarget_) return 0x80;
  const uint8_t byte = static_cast<uint8_t>(noteStyle_ & 0xFF);
  return byte != 0 ? byte : defaultNoteStyle_;
}

void AnnotationPainter::ApplyToStyle(const TextStyle& in, TextStyle* out, Color pageBackground) const {
  *out = in;
  if (HasNote()) {
    if (noteHasTarget_ && out->textColor.IsNone()) out->textColor = Color::FromRgb(255, 0, 0);
    const uint8_t style = NoteStyleByte();
    if (style & 0x80) out->flags |= TextStyle::kUnderline;
    if (style & 0x40) out->flags |= TextStyle::kStrike;
    if (style & 0x30) {
      const Color background = out->background.IsNone() ? pageBackground : out->background;
      const Color text = out->textColor.IsNone() ? textColor_ : out->textColor;
      uint8_t br = 0, bg = 0, bb = 0, tr = 0, tg = 0, tb = 0;
      background.ToRgb(&br, &bg, &bb);
      text.ToRgb(&tr, &tg, &tb);
      out->background = Color::FromRgb(Tint(br, tr), Tint(bg, tg), Tint(bb, tb));
    }
    if ((style & 0x0F) != 0 && !noteHasTarget_) out->textColor = StyleWordColor(noteStyle_, out->textColor);
  }
  if (HasHighlight()) {
    const uint32_t word = highlightStyle_;
    const bool strike = (word & 0x40) && !(word & 0x80) && !(word & 0x10);
    const bool underline = (word & 0x80) && !(word & 0x40) && !(word & 0x10);
    if (strike) {
      out->flags |= TextStyle::kStrike;
    } else if (underline) {
      out->flags |= TextStyle::kUnderline;
    } else {
      out->background = StyleWordColor(word, highlightColor_);
    }
  }
}
