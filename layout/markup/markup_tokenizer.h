// MarkupTokenizer: turns the text of a Document into markup tokens for the
// parser and the markup-aware text search. It pulls text in blocks through
// the Document interface, keeps them in a small cache, runs the MarkupScanner
// over the characters and hands out each token as a list of pieces, views
// that share the blocks' characters without copying them. A block is given
// back to the document only when nothing (no piece, no string made from one)
// still holds its characters.
//
// It also extracts a token's text (quotes stripped, character references
// decoded) and looks names up over the pieces.
//
// A token may run over any number of blocks (an unclosed comment, a script,
// a long attribute value), so the work per block must not grow with the
// blocks the token has already covered: a token whose text the caller does
// not want gives its blocks back as it passes them, and a kept token longer
// than a few blocks is folded into one string of its own, so that only a
// few blocks are ever held. What the caller keeps of the tokens (the text
// of a page's items) may still hold many blocks of a book cut into tiny
// records, so the cache is indexed by block start and the blocks a token
// passed are given back by name, not by walking the whole cache.
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "foundation/containers/range_index.h"
#include "foundation/containers/segmented_array_typed.h"
#include "foundation/system/ref_counted.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "layout/markup/markup_scanner.h"

class Document;

// One cached block of the document's text.
struct MarkupBlock {
  uint32_t start = 0;            // source position of the first character
  const WCHAR* chars = nullptr;  // null: a free entry
  uint32_t count = 0;            // characters
  uint32_t key = 0;              // block start passed back to the position slots
  uint32_t base = 0;             // offset of the characters within the key's text
  uint32_t length = 0;           // source positions covered; the next block starts at start + length
  uint16_t handle = 0;           // what ReleaseBlock takes
  uint32_t slot = 0;             // the record's index in the cache
  SharedWideString text;         // wraps chars without owning them
};

// Answers of NextToken.
enum MarkupTokenResult : int32_t {
  kTokenFound = 0,
  kTokenNotAccepted = 1,  // characters consumed, no token accepted
  kTokenEnd = 2,          // end of the document (or a block that cannot be read)
  kTokenNoMemory = 3,
};

// Answers of NextRunToken.
inline constexpr int32_t kRunTokenNone = 0;
inline constexpr int32_t kRunTokenText = 1;
inline constexpr int32_t kRunTokenSpace = 2;

// Answers of DecodeReferenceToken.
inline constexpr int32_t kReferenceZwnj = 5;
inline constexpr int32_t kReferenceEmpty = 4;

class MarkupTokenizer {
 public:
  // An empty tokenizer: no source, no blocks, no pieces, scanner without a
  // table. The owner binds the scanner (SetTable) and later a source.
  MarkupTokenizer();
  // Gives back every unshared block and frees the cache and the pieces.
  ~MarkupTokenizer();
  MarkupTokenizer(const MarkupTokenizer&) = delete;
  MarkupTokenizer& operator=(const MarkupTokenizer&) = delete;

  // The same two steps for owners that keep the tokenizer in storage of
  // their own.
  static MarkupTokenizer* ConstructInPlace(void* storage);
  static void DestroyInPlace(MarkupTokenizer* tokenizer);

  MarkupScanner& Scanner() { return scanner_; }

  // Binds the document; argument is passed unchanged to every call.
  void Attach(Document* source, uint32_t argument);
  Document* Source() const { return source_.Get(); }
  uint32_t Argument() const { return argument_; }
  // Sets the read position and drops the current block.
  void Seek(uint32_t position);
  // Source position of the next unread character.
  uint32_t GetPosition();
  // Notes the next unread character without working out its position,
  // which PositionAtMark answers later, however far the tokens have read on
  // by then: the block it lies in is held until ClearMark (a position costs
  // the document a look-up, and most elements never need theirs).
  void MarkPosition() {
    markBlock_ = current_;
    markOffset_ = offset_;
    markRead_ = readPosition_;
  }
  uint32_t PositionAtMark() const;
  void ClearMark() { markBlock_ = nullptr; }
  // Moves a position in the middle of the text to a tag boundary.
  bool Resynchronise();

  // The next token: its number in the scanner's token table and its
  // characters in the pieces. maximum limits the characters (-1: none); with
  // a maximum every CJK character and every U+200C is a token of its own.
  // Without keepText the characters are consumed but not kept (no pieces),
  // for stretches whose text nobody reads.
  int32_t NextToken(int32_t* token, int32_t maximum, bool keepText = true);
  // Running text's two common tokens, a run of text and a run of white
  // space, found by a look at the character flags (and, for text, eight
  // characters at a time) instead of the scanner's general walk: the same
  // token NextToken would find in text mode with this maximum, when it ends
  // inside the current block. flags holds each character's kRunCharText and
  // kRunCharSpace as the text mode classes it.
  // kRunTokenNone, with nothing consumed, for any other token (a tag, a
  // reference, a break character at its start, a run that reaches the
  // block's end), which NextToken then reads.
  int32_t NextRunToken(const uint8_t* flags, uint32_t maximum);
  // A plain tag, "<name>", "</name>" or "<name/>", read at once from the
  // text mode: the tokens NextToken would find one by one, when they end
  // before the current block's last character. The token is then the name
  // (for LookupMarkupName), *closing and *empty say which form it had, and
  // the read position is past the ">". False, with nothing consumed, for
  // anything else. flags as for NextRunToken.
  bool NextPlainTag(const uint8_t* flags, bool* closing, bool* empty);
  // The parser code of a token and whether it is a text token; switches the
  // scanner's mode when the token asks for it. False for ignored tokens.
  bool GetTokenInfo(int32_t token, int32_t* code, bool* isText) {
    const ScannerTable* table = scanner_.Table();
    if (table == nullptr || token < 0 || token >= table->tokenCount) return false;
    const ScannerToken& row = table->tokens[token];
    if ((row.flags & kScannerSwitchesMode) != 0) scanner_.SelectMode(row.mode);
    const uint8_t kind = row.flags & kScannerTokenKindMask;
    if (kind == kScannerTokenIgnored) return false;
    *code = row.code;
    *isText = kind == kScannerTokenText;
    return true;
  }

  // The next unread character (reading on into the next block), 0 at the end.
  WCHAR Peek() {
    if (current_ == nullptr && !Refill()) return 0;
    return current_->chars[offset_];
  }
  // True when the n characters just before the next unread one are text
  // (reading back into earlier blocks).
  bool PrecededBy(const WCHAR* text, uint32_t n);
  uint32_t GetTokenLength() const;
  bool AppendTokenText(SharedWideString* out) const;
  void ClearPieces();
  // The token's pieces as strings (a token that lies in one block is held
  // as a bare view until a piece is asked for). A string that cannot be made
  // for lack of memory is empty.
  uint32_t PieceCount() const;
  const SharedWideString& Piece(uint32_t i) const;

  // The id of the token's text in the markup name table (case-folded), 0
  // when it is not a name there.
  uint32_t LookupMarkupName() const;
  // The token's text: quotes stripped, references decoded, appended or not.
  // False only when memory runs out.
  bool GetTokenText(SharedWideString* out, bool stripQuotes, bool decodeReferences, bool append) const {
    if (!append && !stripQuotes && !decodeReferences && viewBlock_ != nullptr &&
        out->buffer == viewBlock_->text.buffer && out->buffer != nullptr) {
      // Most tokens: a view of one block's characters, asked for by a
      // string that views that block already (the last token's text), so
      // that only its window moves.
      out->offset = viewBlock_->text.offset + viewFrom_;
      out->length = viewCount_;
      return true;
    }
    return MakeTokenText(out, stripQuotes, decodeReferences, append);
  }
  // Decodes a reference token: 5 for zwnj (nothing stored), 4 when its text
  // is empty, else 1 when the text was stored and 0 when memory ran out.
  int32_t DecodeReferenceToken(SharedWideString* out, bool append) const;

  // Gives back every cached block other than `except` whose characters are
  // held by nothing but the cache.
  void ReleaseChunks(const MarkupBlock* except) {
    if (heldCount_ == 1 && except != nullptr && except->chars != nullptr) {
      // The common case between elements: the one block held is the one
      // kept, so there is nothing to give back. Free records left behind
      // stay noted for the next load.
      ++work_;
      heldAfterWalk_ = 1;
      passedCount_ = 0;
      passedOverflow_ = false;
      return;
    }
    WalkCache(except);
  }
  const MarkupBlock* CurrentBlock() const { return current_; }
  // Blocks held from the document (for tests and bounds).
  uint32_t HeldBlockCount() const;
  // Work done since construction: characters scanned, characters copied
  // into folded tokens and cache records examined. Lets tests bound the
  // cost of a hostile input by its length without timing it.
  uint64_t WorkDone() const { return work_; }

 private:
  bool Refill();
  // GetTokenText when the string must take another buffer or the text is
  // made (quotes stripped, references decoded, pieces joined).
  bool MakeTokenText(SharedWideString* out, bool stripQuotes, bool decodeReferences, bool append) const;
  // ReleaseChunks over the whole cache.
  void WalkCache(const MarkupBlock* except);
  MarkupBlock* FindOrLoad(uint32_t position, uint32_t* offset);
  MarkupBlock* LoadBlock(uint32_t position);
  void GiveBack(MarkupBlock* block);
  // Done with the current block: it goes back at once unless something
  // still shares its characters.
  void LeaveBlock();
  // Notes a block loaded or left since the last release, to be given back
  // by GiveBackPassed when nothing holds it any more.
  void NotePassed(MarkupBlock* block);
  // Gives back the noted blocks that nothing holds; the whole cache is
  // walked instead when too many were noted or the blocks held have grown
  // well past what the last walk left (strings let go of elsewhere), so
  // that the walks cost a bounded amount per block read.
  void GiveBackPassed();
  bool AppendPiece(MarkupBlock* block, uint32_t from, uint32_t count) {
    if (count == 0) return true;
    if (viewBlock_ == nullptr && pieces_.count == 0) {
      // The first piece stays a bare view until more follow or it is asked
      // for.
      viewBlock_ = block;
      viewFrom_ = from;
      viewCount_ = count;
      return true;
    }
    return AppendFurtherPiece(block, from, count);
  }
  bool AppendFurtherPiece(MarkupBlock* block, uint32_t from, uint32_t count);
  // Ends a quick read: the token is the current block's characters from
  // `from` on, a view of them, and reading goes on at `next`.
  void TakeQuickToken(uint32_t from, uint32_t length, uint32_t next) {
    if (pieces_.count != 0) ClearPieces();
    viewBlock_ = current_;
    viewFrom_ = from;
    viewCount_ = length;
    work_ += next - offset_;
    offset_ = next;
  }
#if defined(__SSE2__)
  // How many of the eight characters at chars go on a text run unseen (from
  // kRunTextSureFirst to 127), counted up to the first that does not.
  static uint32_t SureTextUnits(const WCHAR* chars) {
    const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars));
    const __m128i below = _mm_subs_epu16(_mm_set1_epi16(kRunTextSureFirst), eight);
    const __m128i above = _mm_subs_epu16(eight, _mm_set1_epi16(127));
    const uint32_t sure =
        static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_or_si128(below, above), _mm_setzero_si128())));
    return sure == 0xFFFF ? 8 : static_cast<uint32_t>(__builtin_ctz(~sure)) / 2;
  }
#endif
  // Turns the bare view into the first piece; false when memory runs out.
  bool MaterializeView() const;
  // Whether something other than the cache holds the block's characters:
  // a string made from them, the current token's bare view, or the mark.
  bool IsHeld(const MarkupBlock* block) const {
    return (block->text.buffer != nullptr && block->text.buffer->refcount != 1) || block == viewBlock_ ||
           block == markBlock_;
  }
  // Copies the pieces into one string of the token's own (the first piece,
  // grown), so that the token holds no block; false, and the pieces as they
  // were, when memory runs out.
  bool FoldPieces();
  // Concatenates the pieces (after quote stripping) into out.
  bool Concatenate(SharedWideString* out, bool stripQuotes) const;

  // The tokenizer holds a reference to its document while attached.
  RefPtr<Document> source_;
  uint32_t argument_ = 0;
  SegmentedTypedArray<MarkupBlock> cache_;  // 4 entries per block
  RangeIndex index_;                        // held blocks by start -> cache slot
  SegmentedTypedArray<uint32_t> freeSlots_;  // cache slots given back (checked when taken)
  uint32_t heldCount_ = 0;                   // blocks held from the document
  uint32_t heldAfterWalk_ = 0;               // what the last whole walk left held
  static constexpr uint32_t kMaxPassed = 8;
  MarkupBlock* passed_[kMaxPassed] = {};
  uint32_t passedCount_ = 0;
  bool passedOverflow_ = false;
  uint32_t readPosition_ = 0;
  uint32_t offset_ = 0;
  MarkupBlock* current_ = nullptr;
  // The token's characters: a bare view into one block (most tokens, which
  // then cost no string at all), or pieces, each sharing a block's
  // characters (a token that crosses blocks, or one whose pieces were asked
  // for). Never both. The view holds its block like a piece: the block is
  // not given back while it is set.
  mutable SegmentedTypedArray<SharedWideString> pieces_;
  const MarkupBlock* markBlock_ = nullptr;  // held for PositionAtMark
  uint32_t markOffset_ = 0;
  uint32_t markRead_ = 0;
  mutable MarkupBlock* viewBlock_ = nullptr;
  mutable uint32_t viewFrom_ = 0;
  mutable uint32_t viewCount_ = 0;
  MarkupScanner scanner_;
  uint64_t work_ = 0;
  bool leftBlock_ = false;  // a block was read to its end since the last release
};

// Inline: most elements of a book are one of these tokens, a few characters
// long, so the call would weigh as much as the scan.
inline int32_t MarkupTokenizer::NextRunToken(const uint8_t* flags, uint32_t maximum) {
  // A token that may begin with blocks to give back goes the long way.
  if (current_ == nullptr || leftBlock_ || maximum == 0) return kRunTokenNone;
  const WCHAR* const chars = current_->chars;
  const uint32_t count = current_->count;
  const uint32_t from = offset_;
  const uint32_t end = count - from > maximum ? from + maximum : count;
  const auto flagsOf = [flags](WCHAR c) { return flags[c < 128 ? c : 128]; };
  uint32_t i = from;
  int32_t kind;
  const WCHAR first = chars[i];
  if ((flagsOf(first) & kRunCharSpace) != 0) {
    do ++i;
    while (i < end && (flagsOf(chars[i]) & kRunCharSpace) != 0);
    kind = kRunTokenSpace;
  } else {
    // A break character is a token of its own: the long way.
    if ((flagsOf(first) & kRunCharText) == 0 || (first >= 128 && IsScannerBreak(first))) return kRunTokenNone;
    ++i;
    while (i < end) {
#if defined(__SSE2__)
      if (count - i >= 8) {
        // Eight characters at a time up to the first that needs a look.
        const uint32_t sure = SureTextUnits(chars + i);
        i += sure;
        if (sure == 8) continue;
        if (i >= end) break;
      }
#endif
      const WCHAR c = chars[i];
      if ((flagsOf(c) & kRunCharText) == 0 || (c >= 128 && IsScannerBreak(c))) break;
      ++i;
    }
    if (i > end) i = end;
    kind = kRunTokenText;
  }
  // A run that reaches the block's end may go on in the next one.
  if (i == count) return kRunTokenNone;
  TakeQuickToken(from, i - from, i);
  return kind;
}

inline bool MarkupTokenizer::NextPlainTag(const uint8_t* flags, bool* closing, bool* empty) {
  if (current_ == nullptr || leftBlock_) return false;
  const WCHAR* const chars = current_->chars;
  const uint32_t count = current_->count;
  const auto flagsOf = [flags](WCHAR c) { return flags[c < 128 ? c : 128]; };
  uint32_t i = offset_;
  // "<", "/" and the name's first character lie in the block.
  if (count - i < 3 || chars[i] != '<') return false;
  ++i;
  const bool endTag = chars[i] == '/';
  if (endTag) ++i;
  if ((flagsOf(chars[i]) & kRunCharNameStart) == 0) return false;
  const uint32_t name = i;
  for (++i; i < count && (flagsOf(chars[i]) & kRunCharName) != 0; ++i) {
  }
  const uint32_t nameEnd = i;
  const bool emptyTag = !endTag && i < count && chars[i] == '/';
  if (emptyTag) ++i;
  // The ">", with a character after it.
  if (count - i < 2 || chars[i] != '>') return false;
  TakeQuickToken(name, nameEnd - name, i + 1);
  *closing = endTag;
  *empty = emptyTag;
  return true;
}
