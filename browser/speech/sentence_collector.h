// SentenceCollector: cuts the text of a page into the sentences the view
// reads aloud one at a time. It pulls items from a positioned element
// stream and joins their text, one space at each white-space item, until a
// sentence ends: at ".", "!" or "?" ending the text, at a block, list or
// line-break tag once text was collected, at the first space once the text
// holds 129 characters (a word is never cut, although the stream hands long
// words over in several items), within a run of 1,024 characters without
// a space (text written without spaces), or at the end of the document. An element of the
// text-to-speech tag is spoken as its pronunciation attribute instead of
// its content.
//
// It also counts speech units as the plug-in counts them: words, runs of
// characters between spaces. The page-end unit is the number of words of
// the sentence before its first word at or beyond the page end, so the
// plug-in can turn the page when the reader's voice gets there.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class ElementStream;

struct SpokenSentence {
  SharedWideString text;
  // Words before the first word at or beyond the page end; -1 when the
  // sentence ends before the page does.
  int32_t pageEndUnit = -1;
  // The stream had no more items.
  bool documentEnded = false;
};

class SentenceCollector {
 public:
  // A piece without a sentence end ends at the first space once it holds
  // this many characters,
  static constexpr uint32_t kPieceLimit = 129;
  // and anywhere once it holds this many.
  static constexpr uint32_t kRunLimit = 1024;
  // Items a stream may answer "again" in a row before it counts as ended.
  static constexpr uint32_t kMaxAgain = 1u << 16;

  // Reads from the stream's current item on; *out is emptied first. False
  // when memory ran out (*out then holds what was collected before).
  static bool Collect(ElementStream* stream, uint32_t pageEnd, SpokenSentence* out);
};
