// AnnotationPainter: walks the marks of a book's side file alongside the
// text a page paints, and says which highlight and which note are active
// at each position, so that the renderer can colour, underline or strike
// the text they cover. Owned by the page's render state; a copy serves the
// background pass of each line.
#pragma once

#include <cstdint>

#include "layout/drawing/color.h"
#include "layout/styles/link_action.h"
#include "layout/styles/text_style.h"
#include "storage/side_file/bookmark_order.h"

class BookParameterFile;

// The eight colours of highlight and note style words (index 1 to 8; 0
// stands for 1).
Color AnnotationPaletteColor(uint32_t index);

class AnnotationPainter {
 public:
  static constexpr int64_t kNone = -1;
  static constexpr uint8_t kDefaultNoteStyle = 16;
  static constexpr uint32_t kKindHighlight = 4;

  // Places the walk on the first mark that holds or follows `from` and
  // starts before `to`, then advances to `from`. A null store paints
  // nothing.
  void Reset(BookParameterFile* store, Color highlightColor, uint8_t noteStyle, Color textColor, uint32_t from,
             uint32_t to);
  // Ends what ended at or before `position` and starts what starts there;
  // whether anything changed. With makeLinks a note gets its action.
  bool Advance(uint32_t position, bool makeLinks);
  // The run's style with the active note's and highlight's looks;
  // `pageBackground` stands for a background of none.
  void ApplyToStyle(const TextStyle& in, TextStyle* out, Color pageBackground) const;

  bool HasHighlight() const { return highlightEnd_ != kNone; }
  bool HasNote() const { return noteEnd_ != kNone; }
  bool IsActive() const { return HasHighlight() || HasNote(); }
  void EndHighlight() { highlightEnd_ = kNone; }
  void EndNote();
  // The active note's style byte (16 when its word gives none; 0x80 with a
  // target), its mark and whether it began at the last Advance.
  uint8_t NoteStyleByte() const;
  uint32_t NoteMark() const { return noteMark_; }
  bool TakeNoteStart() {
    const bool started = noteStarted_;
    noteStarted_ = false;
    return started;
  }
  const RefPtr<LinkAction>& NoteAction() const { return noteAction_; }

 private:
  BookParameterFile* store_ = nullptr;
  MarkIterator iterator_;
  uint32_t mark_ = 0xFFFFFFFFu;
  uint32_t to_ = 0;
  int64_t nextChange_ = kNone;
  int64_t highlightEnd_ = kNone;
  uint32_t highlightStyle_ = 0;
  int64_t noteEnd_ = kNone;
  uint32_t noteStyle_ = 0;
  bool noteHasTarget_ = false;
  RefPtr<LinkAction> noteAction_;
  uint32_t noteMark_ = 0xFFFFFFFFu;
  bool noteStarted_ = false;
  Color highlightColor_ = Color::FromRgb(255, 255, 0);
  Color textColor_ = Color::FromRgb(0, 0, 0);
  uint8_t defaultNoteStyle_ = kDefaultNoteStyle;
};
