// MarkupTextSearcher: searches only the visible text of markup. Its own
// tokenizer, bound to the search scanner table, skips tags and control
// characters, decodes character references (a no-break space is a space)
// and sees each run of white space as one space; the match is reported in
// source positions: from its first character to the end of the token that
// completed it.
//
// A backward search steps block by block and starts each block's scan at a
// tag boundary (the tokenizer resynchronises there), so that no attribute
// text inside a tag cut by the block's start is taken for visible text.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "layout/markup/markup_tokenizer.h"
#include "layout/search/text_matcher.h"
#include "layout/search/text_searcher.h"

class MarkupTextSearcher : public TextSearcher {
 public:
  MarkupTextSearcher();
  ~MarkupTextSearcher() override;

  void Attach(Document* document) override;
  bool Scan(const SearchRequest& request, uint32_t from, uint32_t to, uint32_t* matchStart, uint32_t* matchEnd,
            bool* stopped) override;

  // Blocks the tokenizer holds from the document (none between scans).
  uint32_t HeldBlockCount() const { return tokenizer_.HeldBlockCount(); }

 private:
  struct Range {
    uint32_t from;     // where the tokenizer starts
    bool resync;       // move `from` to a tag boundary first
    uint32_t limit;    // forward: the end; backward: matches must start before it
    bool keepLast;     // backward: keep the last match starting before limit
    bool wholeWord;
  };
  // Scans one range; *scanStart receives where the scan really began.
  bool ScanRange(const Range& range, uint32_t* scanStart, uint32_t* matchStart, uint32_t* matchEnd, bool* stopped);
  // Gives every block back to the document.
  void Finish();

  MarkupTokenizer tokenizer_;
  SharedWideString space_;  // the one space a run of white space stands for
  SharedWideString text_;   // a decoded reference
  TextMatcher matcher_;
};
