// LinkAction: what a tap on a link or an active area does (go to an
// address or a file position, run a script, ...). Counted: every link
// area, text style and copy that refers to it holds a reference. The
// fields are those the style resolution fills from a link's attributes.
#pragma once

#include <cstdint>

#include "foundation/system/ref_counted.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "layout/styles/text_range_ref.h"

class TokenSource;

class LinkAction : public RefCounted {
 public:
  static constexpr int32_t kAddress = 1;       // HREF
  static constexpr int32_t kFilePosition = 3;  // FILEPOS
  static constexpr int32_t kScript = 4;        // ONCLICK
  static constexpr int32_t kNumberPair = 5;           // two 16-bit numbers
  static constexpr int32_t kNumberPairReference = 6;  // and a pointer-sized reference
  static constexpr int32_t kNumberPairText = 7;       // and a text (the target)
  static constexpr int32_t kRangeList = 9;            // a list of text ranges
  static constexpr int32_t kQualifiedTarget = 10;     // "first`second"
  static constexpr int32_t kMarkedRangeList = 11;     // a list of text ranges, marked
  static constexpr WCHAR kTargetSeparator = u'`';

  LinkAction() = default;

  // The link of the current tag's attributes (NAME, FILEPOS, HREF, ONCLICK)
  // replaces *link (none when the tag makes no link). False on lack of
  // memory, *link then none.
  static bool FromAttributes(TokenSource& stream, RefPtr<LinkAction>* link);
  // A new action with this one's fields (its ranges copied); null on lack
  // of memory.
  LinkAction* Copy() const;

  void SetNumberPair(uint16_t a, uint16_t b);
  void SetNumberPairReference(uint16_t a, uint16_t b, void* reference);
  void SetNumberPairText(uint16_t a, uint16_t b, const SharedWideString& text);
  // Kind 9 (11 when marked) with a copy of ranges[first, first + count);
  // the number is the count. False on lack of memory (nothing changed).
  bool SetRangeList(const TextRangeRef* ranges, uint32_t first, uint32_t count, const SharedWideString& target,
                    const SharedWideString& title, bool marked);
  // Kind 10: the target is the first text, a grave accent and the second;
  // the flag is kept as the first 16-bit number. False on lack of memory.
  bool SetQualifiedTarget(const SharedWideString& first, const SharedWideString& second, int32_t number,
                          const SharedWideString& title, const SharedWideString& name, uint16_t flag);
  // The target before and after its first grave accent (the whole target
  // and an empty text when it has none).
  void SplitTarget(SharedWideString* before, SharedWideString* after) const;
  const TextRangeRef* Ranges() const { return ranges_; }

  int32_t kind = 0;
  SharedWideString target;
  int32_t number = 0;  // a file position, or a count of ranges
  uint16_t first = 0;
  uint16_t second = 0;
  SharedWideString title;
  SharedWideString name;
  void* reference = nullptr;  // kind 6: not owned

 protected:
  ~LinkAction() override;

 private:
  TextRangeRef* ranges_ = nullptr;  // owned; `number` of them
};
