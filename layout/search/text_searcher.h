// Text search over a document's characters, forwards or backwards, as a
// whole word or not, with or without regard to case; the find dialog runs
// it through RunTextSearch and selects the match it reports.
//
// TextSearcher is the shared interface; PlainTextSearcher scans the
// characters as they are (plain-text documents). A progress callback is
// asked before each block with the distance scanned so far and cancels the
// search by answering false.
#pragma once

#include <cstdint>

#include "foundation/system/ref_counted.h"
#include "layout/search/text_matcher.h"
#include "platform/types/device_types.h"
#include "storage/documents/document.h"

// Separators and spaces end a word for a whole-word search.
bool IsSearchWordBoundary(WCHAR c);

using SearchProgress = bool (*)(void* context, uint32_t distance);

struct SearchRequest {
  const WCHAR* pattern = nullptr;
  uint32_t length = 0;
  bool wholeWord = false;
  bool caseInsensitive = false;
};

class TextSearcher {
 public:
  virtual ~TextSearcher() = default;
  virtual void Attach(Document* document) { document_.Assign(document); }
  // Forward when from <= to: the first match in [from, to). Backward when
  // from > to: the last match that starts before `from`, looking back block
  // by block as far as `to`. True when found; *stopped when the progress
  // callback cancelled or the pattern could not be prepared.
  virtual bool Scan(const SearchRequest& request, uint32_t from, uint32_t to, uint32_t* matchStart,
                    uint32_t* matchEnd, bool* stopped) = 0;

  void SetProgress(SearchProgress progress, void* context) {
    progress_ = progress;
    progressContext_ = context;
  }
  Document* GetDocument() const { return document_.Get(); }

 protected:
  bool Cancelled(uint32_t distance) const { return progress_ != nullptr && !progress_(progressContext_, distance); }

  RefPtr<Document> document_;
  SearchProgress progress_ = nullptr;
  void* progressContext_ = nullptr;
};

class PlainTextSearcher : public TextSearcher {
 public:
  bool Scan(const SearchRequest& request, uint32_t from, uint32_t to, uint32_t* matchStart, uint32_t* matchEnd,
            bool* stopped) override;

 private:
  // Scans [from, to). With `before` below 0xFFFFFFFF every match starting
  // before it is kept and the last one answered; else the first one ends
  // the scan.
  bool ScanRange(uint32_t from, uint32_t to, bool wholeWord, uint32_t before, uint32_t* matchStart,
                 uint32_t* matchEnd, bool* stopped);
  // The position of the character with serial number `serial` (counted
  // from the scan's start) among the blocks recently scanned.
  uint32_t PositionOfSerial(uint32_t serial) const;

  struct ScannedBlock {
    uint32_t start;
    uint32_t firstSerial;  // serial of the block's character 0
  };
  static constexpr uint32_t kRecentBlocks = 16;
  ScannedBlock recent_[kRecentBlocks] = {};
  uint32_t recentCount_ = 0;
  TextMatcher matcher_;
};

// The search modes of the find dialog.
enum TextSearchMode : int32_t {
  kSearchFirstForward = 0,   // from the start of the document
  kSearchNextBackward = 1,   // from the given position
  kSearchNextForward = 2,    // from the given position
  kSearchFirstBackward = 3,  // from the end of the document
};

inline bool IsTextScanMode(int32_t mode) { return mode == kSearchFirstForward || mode == kSearchNextForward; }

// Runs a search in a mode. On success *from and *to hold the match and
// *matchEnd its end, and a first search's mode becomes the next one's.
bool RunTextSearch(TextSearcher* searcher, const SearchRequest& request, uint32_t* from, uint32_t* to,
                   uint32_t* matchEnd, int32_t* mode, bool* stopped);
