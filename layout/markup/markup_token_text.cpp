// The text of the current token: shared when it lies in one piece, copied
// when it spans blocks, with quotes stripped and references decoded on
// request; and look-ups of names over the pieces.
#include "layout/markup/keyword_tables.h"
#include "layout/markup/markup_character_reference.h"
#include "layout/markup/markup_tokenizer.h"

namespace {

bool IsQuote(WCHAR c) { return c == '"' || c == '\''; }

}  // namespace

uint32_t MarkupTokenizer::LookupMarkupName() const {
  TrieCursor cursor(GetMarkupNameTrie());
  TrieStep step{true, 0};
  if (viewBlock_ != nullptr) {
    step = cursor.StepFolded(viewBlock_->chars + viewFrom_, viewCount_);
    return step.stopped ? 0 : step.id;
  }
  for (uint32_t i = 0; i < pieces_.count; ++i) {
    const SharedWideString* piece = pieces_.At(i);
    step = cursor.StepFolded(piece->Chars(), piece->length);
    if (step.stopped) return 0;
  }
  return step.id;
}

bool MarkupTokenizer::Concatenate(SharedWideString* out, bool stripQuotes) const {
  if (viewBlock_ != nullptr) {
    // A token in one block: a view of the block's characters, as a single
    // piece would give.
    const WCHAR* chars = viewBlock_->chars + viewFrom_;
    uint32_t begin = 0;
    uint32_t end = viewCount_;
    if (stripQuotes && end != 0) {
      if (IsQuote(chars[end - 1])) --end;
      if (begin < end && IsQuote(chars[0])) ++begin;
    }
    if (begin >= end) return true;
    if (out->length == 0) {
      out->AssignSubstring(viewBlock_->text, viewFrom_ + begin, end - begin);
      return true;
    }
    return out->AppendRange(viewBlock_->text, viewFrom_ + begin, end - begin);
  }
  // The token as one run [begin, end) of its characters.
  uint32_t total = GetTokenLength();
  uint32_t begin = 0;
  uint32_t end = total;
  if (stripQuotes && total != 0) {
    const SharedWideString* last = pieces_.At(pieces_.count - 1);
    if (IsQuote(last->Chars()[last->length - 1])) --end;
    if (begin < end && IsQuote(pieces_.At(0)->Chars()[0])) ++begin;
  }
  if (begin >= end) return true;
  // Walk the pieces, taking the part of each that lies in the run.
  uint32_t pieceStart = 0;
  bool single = false;
  const SharedWideString* only = nullptr;
  uint32_t onlyFrom = 0;
  for (uint32_t i = 0; i < pieces_.count; ++i) {
    const SharedWideString* piece = pieces_.At(i);
    uint32_t pieceEnd = pieceStart + piece->length;
    if (pieceStart <= begin && end <= pieceEnd) {
      single = true;
      only = piece;
      onlyFrom = begin - pieceStart;
      break;
    }
    pieceStart = pieceEnd;
  }
  if (single) {
    if (out->length == 0) {
      out->AssignSubstring(*only, onlyFrom, end - begin);
      return true;
    }
    return out->AppendRange(*only, onlyFrom, end - begin);
  }
  if (!out->Reserve(out->length + (end - begin))) return false;
  pieceStart = 0;
  for (uint32_t i = 0; i < pieces_.count; ++i) {
    const SharedWideString* piece = pieces_.At(i);
    uint32_t pieceEnd = pieceStart + piece->length;
    uint32_t from = begin > pieceStart ? begin : pieceStart;
    uint32_t to = end < pieceEnd ? end : pieceEnd;
    if (from < to) out->AppendRangeUnchecked(*piece, from - pieceStart, to - from);
    pieceStart = pieceEnd;
  }
  return true;
}

bool MarkupTokenizer::MakeTokenText(SharedWideString* out, bool stripQuotes, bool decodeReferences,
                                    bool append) const {
  if (!append && !stripQuotes && !decodeReferences && viewBlock_ != nullptr) {
    out->AssignSubstring(viewBlock_->text, viewFrom_, viewCount_);
    return true;
  }
  if (!append) out->Clear();
  if (!decodeReferences || GetTokenLength() <= 2) return Concatenate(out, stripQuotes);
  bool hasReference = false;
  if (viewBlock_ != nullptr) {
    const WCHAR* chars = viewBlock_->chars + viewFrom_;
    for (uint32_t k = 0; k < viewCount_ && !hasReference; ++k) hasReference = chars[k] == '&';
  }
  for (uint32_t i = 0; i < pieces_.count && !hasReference; ++i) {
    const SharedWideString* piece = pieces_.At(i);
    for (uint32_t k = 0; k < piece->length; ++k) {
      if (piece->Chars()[k] == '&') {
        hasReference = true;
        break;
      }
    }
  }
  if (!hasReference) return Concatenate(out, stripQuotes);
  SharedWideString raw;
  if (!Concatenate(&raw, stripQuotes)) return false;
  uint32_t before = out->length;
  if (!AppendDecodedText(raw.Chars(), raw.length, out)) {
    out->Erase(before, out->length - before);
    return false;
  }
  return true;
}

int32_t MarkupTokenizer::DecodeReferenceToken(SharedWideString* out, bool append) const {
  SharedWideString raw;
  if (!Concatenate(&raw, false)) return 0;
  if (raw.length == 0) return kReferenceEmpty;
  const WCHAR* text = raw.Chars();
  uint32_t n = raw.length;
  // The token is one reference: "&", its name, maybe ";".
  uint32_t nameEnd = text[n - 1] == ';' ? n - 1 : n;
  DecodedReference ref;
  if (n > 1 && text[0] == '&' && DecodeCharacterReference(text + 1, nameEnd - 1, &ref)) {
    if (ref.entityId == kEntityIdZwnj) return kReferenceZwnj;
    if (ref.count == 0) return kReferenceEmpty;
    if (!append) out->Clear();
    return out->AppendChars(ref.units, ref.count) ? 1 : 0;
  }
  // Not a reference: the text as it stands.
  if (!append) {
    *out = raw;
    return 1;
  }
  return out->Append(raw) ? 1 : 0;
}
