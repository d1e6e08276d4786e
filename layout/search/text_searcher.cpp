#include "layout/search/text_searcher.h"

#include "foundation/characters/char_class.h"

namespace {

constexpr uint32_t kKeepFirst = 0xFFFFFFFFu;
// Positions one character may span at most (a UTF-8 sequence): how far a
// backward step reads past its position so that a match that starts
// before it is seen whole, with the character that follows it.
constexpr uint32_t kMaxPositionsPerChar = 4;

}  // namespace

bool IsSearchWordBoundary(WCHAR c) {
  int category = CharCategory(c);
  return category == kCharPunctuation || category == kCharSpace;
}

uint32_t PlainTextSearcher::PositionOfSerial(uint32_t serial) const {
  uint32_t kept = recentCount_ < kRecentBlocks ? recentCount_ : kRecentBlocks;
  for (uint32_t k = 0; k < kept; ++k) {
    const ScannedBlock& block = recent_[(recentCount_ - 1 - k) % kRecentBlocks];
    if (serial >= block.firstSerial) return document_->AdvancePosition(block.start, serial - block.firstSerial, 0);
  }
  return recent_[recentCount_ > kRecentBlocks ? recentCount_ % kRecentBlocks : 0].start;
}

bool PlainTextSearcher::ScanRange(uint32_t from, uint32_t to, bool wholeWord, uint32_t before, uint32_t* matchStart,
                                  uint32_t* matchEnd, bool* stopped) {
  Document* document = document_.Get();
  uint32_t textLength = document->GetTextLength();
  if (to > textLength) to = textLength;
  matcher_.Reset();
  recentCount_ = 0;
  uint32_t serial = 0;
  bool found = false;
  bool pending = false;
  uint32_t pendingStart = 0, pendingEnd = 0;
  auto commit = [&](uint32_t start, uint32_t end) {
    if (before != kKeepFirst && start >= before) return false;
    *matchStart = start;
    *matchEnd = end;
    found = true;
    return before == kKeepFirst;
  };
  uint32_t position = from;
  bool complete = true;
  while (position < to) {
    if (Cancelled(position - from)) {
      *stopped = true;
      return found;
    }
    TextBlock block;
    if (!document->ReadBlock(position, &block, 0, false)) {
      complete = false;
      break;
    }
    const WCHAR* chars = block.Units();
    uint32_t count = block.length;
    uint32_t offset = block.start <= position ? document->PositionDistance(block.start, position, 0) : count;
    uint32_t next = document->AdvancePosition(block.start, count, 0);
    if (chars == nullptr || offset >= count || next <= position) {
      document->ReleaseBlock(block.blockId);
      complete = false;
      break;
    }
    uint32_t end = to < next ? document->PositionDistance(block.start, to, 0) : count;
    if (end > count) end = count;
    recent_[recentCount_ % kRecentBlocks] = ScannedBlock{block.start, serial - offset};
    ++recentCount_;
    for (uint32_t i = offset; i < end; ++i) {
      WCHAR c = chars[i];
      uint32_t tag = serial++;
      bool boundary = wholeWord && IsSearchWordBoundary(c);
      if (pending) {
        pending = false;
        if (boundary && commit(pendingStart, pendingEnd)) {
          document->ReleaseBlock(block.blockId);
          return true;
        }
      }
      if (boundary) {
        matcher_.Reset();
        continue;
      }
      if (!matcher_.Feed(c, tag)) continue;
      uint32_t start = PositionOfSerial(matcher_.MatchStart());
      uint32_t stop = document->AdvancePosition(block.start, i + 1, 0);
      if (wholeWord) {
        // A whole word only when a boundary (or the text's end) follows.
        pending = true;
        pendingStart = start;
        pendingEnd = stop;
      } else if (commit(start, stop)) {
        document->ReleaseBlock(block.blockId);
        return true;
      }
    }
    document->ReleaseBlock(block.blockId);
    position = next;
  }
  // A word match at the very end of the text stands.
  if (pending && (position >= textLength || !complete)) commit(pendingStart, pendingEnd);
  return found;
}

bool PlainTextSearcher::Scan(const SearchRequest& request, uint32_t from, uint32_t to, uint32_t* matchStart,
                             uint32_t* matchEnd, bool* stopped) {
  *stopped = false;
  if (document_.Get() == nullptr ||
      !matcher_.Prepare(request.pattern, request.length, request.caseInsensitive, request.wholeWord)) {
    *stopped = true;
    return false;
  }
  if (from <= to) return ScanRange(from, to, request.wholeWord, kKeepFirst, matchStart, matchEnd, stopped);

  // Backward: the block before the position is scanned from its start, and
  // the last match starting before the position is the answer; else the
  // block before that, down to `to`.
  Document* document = document_.Get();
  uint32_t textLength = document->GetTextLength();
  if (from > textLength) from = textLength;
  uint32_t position = from;
  uint64_t reach = static_cast<uint64_t>(request.length) * kMaxPositionsPerChar + kMaxPositionsPerChar;
  while (position > to) {
    if (Cancelled(from - position)) {
      *stopped = true;
      return false;
    }
    TextBlock block;
    if (!document->ReadBlock(position - 1, &block, 0, false)) return false;
    uint32_t blockStart = block.start;
    document->ReleaseBlock(block.blockId);
    if (blockStart >= position) return false;
    uint32_t scanFrom = blockStart < to ? to : blockStart;
    uint64_t limit = position + reach;
    uint32_t scanTo = limit < textLength ? static_cast<uint32_t>(limit) : textLength;
    if (ScanRange(scanFrom, scanTo, request.wholeWord, position, matchStart, matchEnd, stopped)) return true;
    if (*stopped) return false;
    position = blockStart;
  }
  return false;
}

bool RunTextSearch(TextSearcher* searcher, const SearchRequest& request, uint32_t* from, uint32_t* to,
                   uint32_t* matchEnd, int32_t* mode, bool* stopped) {
  *stopped = false;
  Document* document = searcher->GetDocument();
  if (document == nullptr) return false;
  uint32_t length = document->GetTextLength();
  uint32_t start = 0, end = 0;
  bool found;
  switch (*mode) {
    case kSearchFirstForward: found = searcher->Scan(request, 0, length, &start, &end, stopped); break;
    case kSearchNextForward: found = searcher->Scan(request, *from, length, &start, &end, stopped); break;
    case kSearchFirstBackward: found = length > 0 && searcher->Scan(request, length, 0, &start, &end, stopped); break;
    case kSearchNextBackward: found = *from > 0 && searcher->Scan(request, *from, 0, &start, &end, stopped); break;
    default: return false;
  }
  if (!found) return false;
  *from = start;
  *to = end;
  *matchEnd = end;
  if (*mode == kSearchFirstForward) *mode = kSearchNextForward;
  if (*mode == kSearchFirstBackward) *mode = kSearchNextBackward;
  return true;
}
