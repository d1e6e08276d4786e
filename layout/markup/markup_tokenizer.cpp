// MarkupTokenizer: the block cache, the token loop over blocks, positions
// and resynchronisation.
#include "layout/markup/markup_tokenizer.h"

#include <new>

#include "layout/markup/markup_scanner_table.h"
#include "storage/documents/document.h"

namespace {

constexpr uint8_t kCacheShift = 2;   // 4 block records per segment
constexpr uint32_t kNoBudget = 0xFFFFFFFFu;
// Pieces a kept token may have before they are folded into one string: a
// token that crosses a block end or two stays a set of views, a longer one
// stops holding the document's blocks.
constexpr uint32_t kMaxTokenPieces = 4;

bool IsSpace(WCHAR c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

}  // namespace

MarkupTokenizer::MarkupTokenizer() {
  cache_.SetGeometry(kCacheShift);
  freeSlots_.SetGeometry(kCacheShift);
  pieces_.SetGeometry(4);
}

MarkupTokenizer::~MarkupTokenizer() {
  ClearMark();
  ClearPieces();
  ReleaseChunks(current_);
  pieces_.Free();
  current_ = nullptr;
  ReleaseChunks(nullptr);
  cache_.Free();
  freeSlots_.Free();
}

MarkupTokenizer* MarkupTokenizer::ConstructInPlace(void* storage) { return ::new (storage) MarkupTokenizer(); }

void MarkupTokenizer::DestroyInPlace(MarkupTokenizer* tokenizer) {
  if (tokenizer != nullptr) tokenizer->~MarkupTokenizer();
}

void MarkupTokenizer::Attach(Document* source, uint32_t argument) {
  ClearMark();
  ClearPieces();
  current_ = nullptr;
  ReleaseChunks(nullptr);
  source_.Assign(source);
  argument_ = argument;
  readPosition_ = 0;
  offset_ = 0;
}

void MarkupTokenizer::Seek(uint32_t position) {
  readPosition_ = position;
  current_ = nullptr;
  offset_ = 0;
}

uint32_t MarkupTokenizer::GetPosition() {
  if (current_ == nullptr || !source_) return readPosition_;
  return source_->AdvancePosition(current_->key, current_->base + offset_, argument_);
}

uint32_t MarkupTokenizer::PositionAtMark() const {
  if (markBlock_ == nullptr || !source_) return markRead_;
  return source_->AdvancePosition(markBlock_->key, markBlock_->base + markOffset_, argument_);
}

// ---- Blocks

uint32_t MarkupTokenizer::HeldBlockCount() const {
  uint32_t held = 0;
  for (uint32_t i = 0; i < cache_.count; ++i)
    if (cache_.At(i)->chars != nullptr) ++held;
  return held;
}

void MarkupTokenizer::GiveBack(MarkupBlock* block) {
  uint16_t handle = block->handle;
  index_.Remove(block->start, block->slot);
  --heldCount_;
  block->text.Clear();
  block->chars = nullptr;
  block->count = 0;
  // A slot that cannot be noted as free is only reused once the cache's
  // tail is trimmed.
  if (uint32_t* free = freeSlots_.AppendSlot()) *free = block->slot;
  if (source_) source_->ReleaseBlock(handle);
}

void MarkupTokenizer::NotePassed(MarkupBlock* block) {
  if (passedCount_ == kMaxPassed) {
    passedOverflow_ = true;
    return;
  }
  passed_[passedCount_++] = block;
}

void MarkupTokenizer::GiveBackPassed() {
  const bool walk = passedOverflow_ || heldCount_ > 2 * heldAfterWalk_ + kMaxPassed;
  passedOverflow_ = false;
  if (walk) {
    passedCount_ = 0;
    ReleaseChunks(current_);
    return;
  }
  for (uint32_t i = 0; i < passedCount_; ++i) {
    ++work_;
    MarkupBlock* block = passed_[i];
    // A noted block may have gone back since (and its record taken again
    // for another block): whatever it holds now is checked as it is.
    if (block->chars == nullptr || block == current_ || IsHeld(block)) continue;
    GiveBack(block);
  }
  passedCount_ = 0;
}

void MarkupTokenizer::LeaveBlock() {
  MarkupBlock* passed = current_;
  current_ = nullptr;
  if (!IsHeld(passed)) GiveBack(passed);
}

void MarkupTokenizer::WalkCache(const MarkupBlock* except) {
  work_ += cache_.count;
  for (uint32_t i = 0; i < cache_.count; ++i) {
    MarkupBlock* block = cache_.At(i);
    if (block->chars == nullptr || block == except) continue;
    if (IsHeld(block)) continue;  // still shared
    GiveBack(block);
  }
  // Free records at the end are forgotten so the cache does not creep.
  while (cache_.count != 0 && cache_.At(cache_.count - 1)->chars == nullptr &&
         cache_.At(cache_.count - 1) != current_) {
    --cache_.count;
  }
  heldAfterWalk_ = heldCount_;
  passedCount_ = 0;
  passedOverflow_ = false;
}

MarkupBlock* MarkupTokenizer::LoadBlock(uint32_t position) {
  if (!source_) return nullptr;
  MarkupBlock* entry = nullptr;
  while (entry == nullptr && freeSlots_.count != 0) {
    // Slots noted free may have been trimmed or taken again since.
    ++work_;
    const uint32_t slot = *freeSlots_.At(--freeSlots_.count);
    if (slot < cache_.count && cache_.At(slot)->chars == nullptr && cache_.At(slot) != current_)
      entry = cache_.At(slot);
  }
  if (entry == nullptr) {
    const uint32_t slot = cache_.count;
    entry = cache_.AppendSlot();
    if (entry == nullptr) return nullptr;
    entry->chars = nullptr;
    entry->text.Clear();
    entry->slot = slot;
  }
  // A record left unused stays free for the next load.
  auto unused = [this, entry]() -> MarkupBlock* {
    if (uint32_t* free = freeSlots_.AppendSlot()) *free = entry->slot;
    return nullptr;
  };
  TextBlock block;
  if (!source_->ReadBlock(position, &block, argument_, false)) return unused();
  // A block must hold characters and cover the position; anything else
  // would stall or send the reader backwards.
  if (block.data == nullptr || block.length == 0 || block.sourceLength == 0 || block.start > position ||
      position - block.start >= block.sourceLength) {
    source_->ReleaseBlock(block.blockId);
    return unused();
  }
  if (!index_.Insert(block.start, entry->slot)) {
    source_->ReleaseBlock(block.blockId);
    return unused();
  }
  if (!entry->text.AttachExternal(block.Units(), block.length)) {
    index_.Remove(block.start, entry->slot);
    source_->ReleaseBlock(block.blockId);
    return unused();
  }
  entry->start = block.start;
  entry->chars = block.Units();
  entry->count = block.length;
  entry->key = block.scanStart;
  entry->base = block.scanOffset;
  entry->length = block.sourceLength;
  entry->handle = block.blockId;
  ++heldCount_;
  NotePassed(entry);
  return entry;
}

MarkupBlock* MarkupTokenizer::FindOrLoad(uint32_t position, uint32_t* offset) {
  MarkupBlock* found = nullptr;
  ++work_;
  const uint32_t below = index_.CountAtOrBelow(position);
  if (below != 0) {
    MarkupBlock* block = cache_.At(index_.At(below - 1).value);
    if (block->start <= position && position - block->start < block->length) found = block;
  }
  if (found == nullptr) found = LoadBlock(position);
  if (found == nullptr) return nullptr;
  uint32_t distance = source_->PositionDistance(found->key, position, argument_);
  uint32_t within = distance >= found->base ? distance - found->base : 0;
  *offset = within < found->count ? within : found->count;
  return found;
}

bool MarkupTokenizer::Refill() {
  uint32_t offset = 0;
  MarkupBlock* block = FindOrLoad(readPosition_, &offset);
  if (block == nullptr && (pieces_.count != 0 || viewBlock_ != nullptr)) {
    // The pieces may hold the blocks the document needs back: copy them
    // into one string of their own and try once more.
    if (!FoldPieces()) return false;
    ReleaseChunks(nullptr);
    block = FindOrLoad(readPosition_, &offset);
  }
  if (block == nullptr) return false;
  current_ = block;
  offset_ = offset;
  readPosition_ = block->start + block->length;
  if (offset_ >= block->count) {
    // Nothing left in it (a position at its very end): read on.
    current_ = nullptr;
    return Refill();
  }
  return true;
}

// ---- Pieces

void MarkupTokenizer::ClearPieces() {
  viewBlock_ = nullptr;
  viewCount_ = 0;
  for (uint32_t i = 0; i < pieces_.count; ++i) pieces_.At(i)->Clear();
  pieces_.count = 0;
}

bool MarkupTokenizer::MaterializeView() const {
  if (viewBlock_ == nullptr) return true;
  SharedWideString* piece = pieces_.AppendSlot();
  if (piece == nullptr) return false;
  piece->AssignSubstring(viewBlock_->text, viewFrom_, viewCount_);
  viewBlock_ = nullptr;
  viewCount_ = 0;
  return true;
}

uint32_t MarkupTokenizer::PieceCount() const {
  return viewBlock_ != nullptr ? 1 : pieces_.count;
}

const SharedWideString& MarkupTokenizer::Piece(uint32_t i) const {
  static const SharedWideString kEmpty;
  if (!MaterializeView()) return kEmpty;
  return *pieces_.At(i);
}

bool MarkupTokenizer::AppendFurtherPiece(MarkupBlock* block, uint32_t from, uint32_t count) {
  if (!MaterializeView()) return false;
  SharedWideString* piece = pieces_.AppendSlot();
  if (piece == nullptr) return false;
  piece->AssignSubstring(block->text, from, count);
  return true;
}

bool MarkupTokenizer::FoldPieces() {
  if (!MaterializeView()) return false;
  if (pieces_.count == 0) return true;
  SharedWideString* first = pieces_.At(0);
  if (pieces_.count == 1 && first->IsUniqueOwner()) return true;  // holds no block already
  // Room for the whole token, reserved before anything moves (a failure
  // leaves the pieces as they were), and half as much again when it must
  // grow: a token folded again and again as it grows is then copied at
  // most three times per character in all.
  const uint32_t total = GetTokenLength();
  const bool fits = first->IsUniqueOwner() && first->buffer->capacity - first->offset >= total;
  if (!fits) {
    const uint64_t roomy = static_cast<uint64_t>(total) + total / 2 + 8;
    if (!first->Reserve(roomy > UINT32_MAX ? total : static_cast<uint32_t>(roomy))) return false;
    work_ += first->length;
  }
  for (uint32_t i = 1; i < pieces_.count; ++i) {
    SharedWideString* piece = pieces_.At(i);
    first->AppendUnchecked(*piece);
    work_ += piece->length;
    piece->Clear();
  }
  pieces_.count = 1;
  return true;
}

uint32_t MarkupTokenizer::GetTokenLength() const {
  if (viewBlock_ != nullptr) return viewCount_;
  uint32_t n = 0;
  for (uint32_t i = 0; i < pieces_.count; ++i) n += pieces_.At(i)->length;
  return n;
}

bool MarkupTokenizer::AppendTokenText(SharedWideString* out) const {
  if (viewBlock_ != nullptr) return out->AppendRange(viewBlock_->text, viewFrom_, viewCount_);
  for (uint32_t i = 0; i < pieces_.count; ++i)
    if (!out->Append(*pieces_.At(i))) return false;
  return true;
}

// ---- Tokens

int32_t MarkupTokenizer::NextToken(int32_t* token, int32_t maximum, bool keepText) {
  scanner_.Reset();
  ClearPieces();
  if (leftBlock_) {
    // The last token left a block behind and its pieces are gone: give back
    // what nothing holds now, so that a long run of tokens that deliver
    // nothing (dropped tags, between which the owner releases nothing) does
    // not pile blocks up in the cache.
    leftBlock_ = false;
    GiveBackPassed();
  }
  if (current_ == nullptr && !Refill()) return kTokenEnd;
  // With a maximum, CJK characters and U+200C break the text in the same
  // pass as the scan (the scanner stops at them).
  const bool limited = maximum >= 0;
  uint32_t budget = limited ? static_cast<uint32_t>(maximum) : kNoBudget;
  scanner_.StopAtBreaks(limited);

  uint32_t from = offset_;
  bool atEnd = false;
  while (!scanner_.Scan(current_->chars, &offset_, current_->count, &budget)) {
    // The scan resumes in the next block where it stopped: each character
    // is examined once, however many blocks the token covers.
    work_ += offset_ - from;
    if (keepText) {
      if (!AppendPiece(current_, from, offset_ - from)) return kTokenNoMemory;
      NotePassed(current_);
      current_ = nullptr;
      leftBlock_ = true;
      if (pieces_.count > kMaxTokenPieces) {
        if (!FoldPieces()) return kTokenNoMemory;
        ReleaseChunks(nullptr);
      }
    } else {
      LeaveBlock();  // nothing of the token is kept
    }
    if (!Refill()) {
      atEnd = true;  // the token in progress is accepted as it stands
      break;
    }
    from = offset_;
  }
  if (!atEnd) {
    work_ += offset_ - from;
    if (keepText && !AppendPiece(current_, from, offset_ - from)) return kTokenNoMemory;
    if (offset_ >= current_->count) {
      NotePassed(current_);
      current_ = nullptr;
      leftBlock_ = true;
    }
  }
  int32_t accepted = scanner_.Token();
  if (accepted < 0) return kTokenNotAccepted;
  *token = accepted;
  return kTokenFound;
}


bool MarkupTokenizer::PrecededBy(const WCHAR* text, uint32_t n) {
  const MarkupBlock* block = nullptr;
  uint32_t index = 0;
  if (current_ != nullptr || Refill()) {
    block = current_;
    index = offset_;
  } else {
    // At the end of the text: read back from its last character.
    if (readPosition_ == 0) return n == 0;
    uint32_t offset = 0;
    block = FindOrLoad(readPosition_ - 1, &offset);
    if (block == nullptr) return false;
    index = block->count;
  }
  for (uint32_t k = n; k > 0; --k) {
    while (index == 0) {
      if (block->start == 0) return false;
      uint32_t offset = 0;
      block = FindOrLoad(block->start - 1, &offset);
      if (block == nullptr) return false;
      index = block->count;
    }
    if (block->chars[--index] != text[k - 1]) return false;
  }
  return true;
}

bool MarkupTokenizer::Resynchronise() {
  if (!source_) return false;
  WCHAR next = Peek();
  static const WCHAR kTagEnd[] = {'>'};
  if (next == 0 || next == '<' || PrecededBy(kTagEnd, 1)) return true;
  bool haveSpace = false;
  uint32_t spacePosition = 0;
  for (;;) {
    if (current_ == nullptr && !Refill()) return true;  // the end: stop there
    WCHAR c = current_->chars[offset_];
    if (c == '>') {
      if (++offset_ >= current_->count) LeaveBlock();
      return true;
    }
    if (c == '<') {
      if (haveSpace) Seek(spacePosition);
      return true;
    }
    if (!haveSpace && IsSpace(c)) {
      haveSpace = true;
      spacePosition = GetPosition();
    }
    if (++offset_ >= current_->count) LeaveBlock();
  }
}
