// RecordSource: the one list interface through which list widgets, the
// document view's look-up pages and script record sets walk an ordered run
// of records without knowing where they come from (an index query result,
// an object-database table view, the look-up history). RecordPosition is the
// cursor that travels through it; RecordAttributes what a source says of one
// record's display.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/values/script_value.h"

class ScriptValueStore;

// A cursor: an ordinal, or one of the two flags. Packed into one integer,
// -2 is past the end, -1 before the start.
struct RecordPosition {
  static constexpr int32_t kBeforeStart = -1;
  static constexpr int32_t kPastEnd = -2;

  int32_t ordinal = 0;
  uint8_t pastEnd = 0;
  uint8_t beforeStart = 0;

  // Past the end wins when both flags are set.
  int32_t GetOrdinal() const { return pastEnd ? kPastEnd : (beforeStart ? kBeforeStart : ordinal); }
  void Set(int32_t packed) {
    ordinal = packed;
    pastEnd = packed == kPastEnd ? 1 : 0;
    beforeStart = packed == kBeforeStart ? 1 : 0;
  }
  void Assign(int32_t packed) { Set(packed); }
  static RecordPosition Of(int32_t packed) {
    RecordPosition p;
    p.Set(packed);
    return p;
  }
};

// Display attributes of one record; every source answers them cleared.
struct RecordAttributes {
  uint8_t bold = 0;
  uint8_t italic = 0;
  uint8_t underline = 0;
  uint8_t unselectable = 0;  // the record cannot be selected
  uint8_t small = 0;         // the small style
  uint32_t words[2] = {0, 0};
  void Clear() { *this = RecordAttributes(); }
};

// Sources are counted: whoever shows or walks one (a page element, a
// script record set) holds a reference, and the last Release destroys it.
class RecordSource {
 public:
  virtual ~RecordSource();
  virtual void AddRef() = 0;
  // 1 when the source was destroyed.
  virtual int32_t Release() = 0;
  virtual RecordPosition Previous(RecordPosition position) = 0;
  virtual RecordPosition Next(RecordPosition position) = 0;
  // Text operations clear their output first and leave it empty when the
  // record has no such text.
  virtual void GetText(RecordPosition position, SharedWideString* text) = 0;
  virtual void GetFormattedText(RecordPosition position, SharedWideString* text) = 0;
  virtual RecordAttributes GetAttributes(RecordPosition position);
  // One icon code, -1 for none.
  virtual int32_t GetIcon(RecordPosition position) = 0;
  virtual void GetShortId(RecordPosition position, SharedWideString* text) = 0;
  // The current source's name, or with next the next one's; base: none.
  virtual bool GetSourceName(SharedWideString* text, bool next);
  virtual void SetTitle(const SharedWideString& title);
  // Number among the source's records (as the implementation counts them);
  // -1 and -2 pass through.
  virtual int32_t PositionToOrdinal(RecordPosition position) = 0;
  virtual RecordPosition OrdinalToPosition(int32_t ordinal) = 0;
  // -1 when unknown.
  virtual int32_t GetCount();
  // 0-based index of the record, -1 when not known.
  virtual int32_t GetIndexOf(RecordPosition position);
  // The script object standing for the source at a position; base: status
  // 15 ("Error: Not yet implemented") and nothing made.
  virtual int32_t CreateRecordSet(RecordPosition position, ScriptValueStore* store, ScriptValueHandle* value);
  virtual void TrailingHook1();
  virtual void TrailingHook2();
};
