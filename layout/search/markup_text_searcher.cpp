#include "layout/search/markup_text_searcher.h"

#include "foundation/characters/char_class.h"
#include "layout/search/search_scanner_table.h"

namespace {

// The progress callback is asked once every so many tokens.
constexpr uint32_t kTokensPerProgress = 200;

}  // namespace

MarkupTextSearcher::MarkupTextSearcher() {
  tokenizer_.Scanner().SetTable(GetSearchScannerTable());
  static const WCHAR kSpace[] = {' '};
  space_.AppendChars(kSpace, 1);
}

MarkupTextSearcher::~MarkupTextSearcher() { Finish(); }

void MarkupTextSearcher::Attach(Document* document) {
  TextSearcher::Attach(document);
  tokenizer_.Attach(document, 0);
}

void MarkupTextSearcher::Finish() {
  tokenizer_.ClearPieces();
  tokenizer_.Seek(0);
  tokenizer_.ReleaseChunks(nullptr);
}

bool MarkupTextSearcher::ScanRange(const Range& range, uint32_t* scanStart, uint32_t* matchStart,
                                   uint32_t* matchEnd, bool* stopped) {
  tokenizer_.ClearPieces();
  tokenizer_.Seek(range.from);
  if (range.resync && range.from > 0) tokenizer_.Resynchronise();
  uint32_t origin = tokenizer_.GetPosition();
  *scanStart = origin;
  matcher_.Reset();

  bool found = false;
  bool done = false;
  bool pending = false;  // a whole-word match waiting for the next character
  uint32_t pendingStart = 0, pendingEnd = 0;
  // A match found: kept; true when it ends the scan.
  auto commit = [&](uint32_t start, uint32_t end) {
    if (range.keepLast && start >= range.limit) return true;  // later ones start later still
    *matchStart = start;
    *matchEnd = end;
    found = true;
    return !range.keepLast;
  };
  auto feed = [&](WCHAR c, uint32_t tag, uint32_t end) {
    bool boundary = range.wholeWord && IsSearchWordBoundary(c);
    if (pending) {
      pending = false;
      if (boundary && commit(pendingStart, pendingEnd)) return true;
    }
    if (boundary) {
      matcher_.Reset();
      return false;
    }
    if (!matcher_.Feed(c, tag)) return false;
    if (range.wholeWord) {
      pending = true;
      pendingStart = matcher_.MatchStart();
      pendingEnd = end;
      return false;
    }
    return commit(matcher_.MatchStart(), end);
  };

  bool atEnd = false;
  for (uint32_t tokens = 0; !done; ++tokens) {
    uint32_t position = tokenizer_.GetPosition();
    if (position >= range.limit && !pending) {
      // Backward, a match that began before the limit is followed to its end.
      uint32_t partial = 0;
      if (!range.keepLast || !matcher_.PartialStart(&partial) || partial >= range.limit) break;
    }
    if (tokens % kTokensPerProgress == 0 && Cancelled(position - origin)) {
      *stopped = true;
      break;
    }
    int32_t token = -1;
    int32_t answer = tokenizer_.NextToken(&token, -1, true);
    if (answer == kTokenEnd) {
      atEnd = true;
      break;
    }
    if (answer == kTokenNoMemory) {
      *stopped = true;
      break;
    }
    int32_t code = 0;
    bool isText = false;
    if (answer != kTokenFound || !tokenizer_.GetTokenInfo(token, &code, &isText)) continue;  // tags, controls
    uint32_t end = tokenizer_.GetPosition();
    switch (code) {
      case kSearchCodeSpace: done = feed(' ', position, end); break;
      case kSearchCodeReference: {
        int32_t decoded = tokenizer_.DecodeReferenceToken(&text_, false);
        if (decoded == 0) {
          *stopped = true;
          done = true;
          break;
        }
        if (decoded != 1) break;  // nothing visible
        const WCHAR* chars = text_.Chars();
        for (uint32_t i = 0; i < text_.length && !done; ++i) {
          WCHAR c = CharCategory(chars[i]) == kCharSpace ? WCHAR{' '} : chars[i];
          done = feed(c, position, end);
        }
        break;
      }
      case kSearchCodeText: {
        // Each character's position is the token's plus its index, kept
        // inside the token where positions are wider than characters.
        uint32_t index = 0;
        uint32_t last = end > position ? end - 1 : position;
        for (uint32_t p = 0; p < tokenizer_.PieceCount() && !done; ++p) {
          const SharedWideString& piece = tokenizer_.Piece(p);
          const WCHAR* chars = piece.Chars();
          for (uint32_t i = 0; i < piece.length && !done; ++i, ++index) {
            uint32_t tag = position + index < last ? position + index : last;
            done = feed(chars[i], tag, end);
          }
        }
        break;
      }
      default: break;
    }
  }
  // A whole word that ends the document stands.
  if (pending && atEnd && !*stopped) commit(pendingStart, pendingEnd);
  tokenizer_.ClearPieces();
  return found;
}

bool MarkupTextSearcher::Scan(const SearchRequest& request, uint32_t from, uint32_t to, uint32_t* matchStart,
                              uint32_t* matchEnd, bool* stopped) {
  *stopped = false;
  Document* document = document_.Get();
  if (document == nullptr ||
      !matcher_.Prepare(request.pattern, request.length, request.caseInsensitive, request.wholeWord)) {
    *stopped = true;
    return false;
  }
  uint32_t scanStart = 0;
  if (from <= to) {
    Range range{from, false, to, false, request.wholeWord};
    bool found = ScanRange(range, &scanStart, matchStart, matchEnd, stopped);
    Finish();
    return found;
  }

  // Backward: the block before the position is scanned from its first tag
  // boundary, and the last match starting before the limit is the answer;
  // else the block before that. The limit follows the scans' starts down,
  // so that text between a block's start and its first boundary is
  // searched with the block before.
  uint32_t textLength = document->GetTextLength();
  if (from > textLength) from = textLength;
  uint32_t limit = from;
  uint32_t position = from;
  bool found = false;
  while (position > to && !found) {
    if (Cancelled(from - position)) {
      *stopped = true;
      break;
    }
    TextBlock block;
    if (!document->ReadBlock(position - 1, &block, 0, false)) break;
    uint32_t blockStart = block.start;
    document->ReleaseBlock(block.blockId);
    if (blockStart >= position) break;
    uint32_t scanFrom = blockStart < to ? to : blockStart;
    Range range{scanFrom, true, limit, true, request.wholeWord};
    found = ScanRange(range, &scanStart, matchStart, matchEnd, stopped);
    if (*stopped) break;
    if (scanStart < limit) limit = scanStart;
    position = blockStart;
  }
  Finish();
  return found;
}
