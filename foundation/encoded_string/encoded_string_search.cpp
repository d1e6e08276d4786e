// EncodedString search and edit: substring search from the cursor, counting
// of non-overlapping occurrences, replacement inside the selection, splitting
// at a separator, and the bucket hash.
#include "foundation/encoded_string/encoded_string_array.h"
#include "foundation/encoded_string/encoded_string_walk.h"

namespace {

// When the text at byte offset `at` begins with the pattern's selection,
// returns true and the byte offset behind the match (which must not pass
// `limit`).
bool MatchesAt(const EncodedString& text, uint32_t at, uint32_t limit, const EncodedString& pattern,
               bool caseSensitive, uint32_t* matchEnd) {
  if (pattern.IsSelectionEmpty() || !pattern.buffer) return false;
  CharWalker t(text), p(pattern);
  t.StartAt(static_cast<int32_t>(at));
  p.StartAt(static_cast<int32_t>(pattern.selStart));
  uint32_t end = at;
  for (bool first = true;; first = false) {
    uint32_t pc = p.Step();
    if (p.AtEnd() || !pattern.IsInSelection(p.RawPos())) {
      // A selection without one whole character (an odd byte of UTF-16)
      // matches nothing: an empty match would never move a search on.
      if (first) return false;
      *matchEnd = end;
      return true;
    }
    uint32_t tc = t.Step();
    if (t.AtEnd()) return false;
    if (FoldChar(tc, caseSensitive) != FoldChar(pc, caseSensitive)) return false;
    end = t.End();
    if (end > limit) return false;
  }
}

}  // namespace

bool EncodedString::Find(const EncodedString& pattern, bool caseSensitive) {
  if (!IsOk() || !pattern.IsOk()) return false;
  uint32_t start = cursor < 0 ? 0 : static_cast<uint32_t>(cursor);
  if (!pattern.IsSelectionEmpty() && pattern.buffer && buffer) {
    CharWalker first(pattern);
    first.StartAt(static_cast<int32_t>(pattern.selStart));
    uint32_t firstChar = FoldChar(first.Step(), caseSensitive);
    CharWalker candidate(*this);
    candidate.StartAt(cursor < 0 ? -1 : cursor);
    for (;;) {
      uint32_t c = candidate.Step();
      if (candidate.AtEnd()) break;
      if (FoldChar(c, caseSensitive) != firstChar) continue;
      uint32_t end;
      if (MatchesAt(*this, candidate.Pos(), length, pattern, caseSensitive, &end)) {
        selStart = candidate.Pos();
        selEnd = end;
        status.ClearCondition();
        return true;
      }
    }
  }
  if (start > length) start = length;
  selStart = start;
  selEnd = start;
  status.SetCondition(kConditionEndOfText);
  return false;
}

uint32_t EncodedString::CountOccurrences(const EncodedString& text, const EncodedString& pattern,
                                         bool caseSensitive) {
  if (pattern.IsSelectionEmpty()) return 0;
  EncodedString view;
  view.ShallowCopy(text);
  view.cursor = static_cast<int32_t>(text.selStart);
  view.cursorWidth = 0;
  uint32_t count = 0;
  while (view.Find(pattern, caseSensitive)) {
    if (view.selEnd > text.selEnd) break;
    ++count;
    // Occurrences do not overlap: the next search starts behind this one.
    if (view.selEnd >= view.length) break;
    view.cursor = static_cast<int32_t>(view.selEnd);
    view.cursorWidth = 0;
  }
  view.DetachBuffer();
  return count;
}

int32_t EncodedString::ReplaceAll(const EncodedString& pattern, const EncodedString& replacement,
                                  int32_t maxCount) {
  uint32_t end = selEnd < length ? selEnd : length;
  if (!buffer || selStart >= end || pattern.IsSelectionEmpty()) return 0;

  EncodedString result;
  result.unitKind = unitKind;
  result.codePage = codePage;
  if (!result.ReserveBytes(length)) {
    status.SetError(kErrorNoMemory);
    return 0;
  }
  result.AppendTyped(buffer, selStart, unitKind, codePage);
  int32_t replaced = 0;
  CharWalker walk(*this);
  walk.StartAt(static_cast<int32_t>(selStart));
  uint32_t pos = selStart;
  while (pos < end) {
    if (maxCount >= 0 && replaced >= maxCount) {
      result.AppendTyped(buffer + pos, end - pos, unitKind, codePage);
      break;
    }
    uint32_t matchEnd;
    if (MatchesAt(*this, pos, end, pattern, false, &matchEnd) && matchEnd > pos) {
      result.unitKind = unitKind;
      result.codePage = codePage;
      result.AppendConverted(replacement);
      ++replaced;
      pos = matchEnd;
      continue;
    }
    walk.StartAt(static_cast<int32_t>(pos));
    walk.Step();
    uint32_t next = walk.AtEnd() ? end : walk.End();
    if (next <= pos) next = pos + 1;
    if (next > end) next = end;
    result.AppendTyped(buffer + pos, next - pos, unitKind, codePage);
    pos = next;
  }
  uint32_t newSelEnd = result.length;
  result.AppendTyped(buffer + end, length - end, unitKind, codePage);
  if (!result.IsOk()) {
    status.SetError(result.GetError());
    return 0;
  }
  if (replaced == 0) return 0;

  int64_t delta = static_cast<int64_t>(result.length) - length;
  if (cursor >= 0) {
    uint32_t c = static_cast<uint32_t>(cursor);
    if (c >= end) {
      cursor = static_cast<int32_t>(c + delta);
    } else if (c >= selStart) {
      cursor = static_cast<int32_t>(selStart);
    }
  }
  uint32_t newSelStart = selStart;
  AdoptBuffer(result.buffer, result.capacity, result.length);
  result.DetachBuffer();
  selStart = newSelStart;
  selEnd = newSelEnd;
  cursorWidth = 0;
  return replaced;
}

uint32_t EncodedString::HashCode() const {
  uint32_t hash = 0;
  // The walk starts on byte position 0, so its character is stepped over.
  int32_t pos = 0;
  uint8_t width = 0;
  ErrorStatus scan;
  if (!buffer || length == 0) return 0;
  for (;;) {
    uint32_t c = DecodeCharAt(nullptr, &pos, &width, &scan);
    if (scan.GetCondition() == kConditionEndOfText) break;
    if ((pos & 1) == 0) c <<= 1;
    hash ^= c;
  }
  return hash;
}

void SplitEncodedString(const EncodedString& text, const EncodedString& separator, EncodedStringArray* array) {
  array->Reset(5);
  uint32_t index = 0;
  uint32_t end = text.selEnd < text.length ? text.selEnd : text.length;
  uint32_t pieceStart = text.selStart;
  if (text.buffer && !separator.IsSelectionEmpty()) {
    EncodedString view;
    view.ShallowCopy(text);
    view.status.Clear();
    view.cursor = static_cast<int32_t>(text.selStart);
    view.cursorWidth = 0;
    while (view.Find(separator, true) && view.selEnd <= end) {
      EncodedString& piece = array->At(index++);
      piece.AssignRaw(text.buffer + pieceStart, view.selStart - pieceStart, text.unitKind, text.codePage);
      pieceStart = view.selEnd;
      if (view.selEnd >= view.length) break;
      view.cursor = static_cast<int32_t>(view.selEnd);
      view.cursorWidth = 0;
    }
    view.DetachBuffer();
  }
  EncodedString& last = array->At(index);
  if (text.buffer && pieceStart < end) {
    last.AssignRaw(text.buffer + pieceStart, end - pieceStart, text.unitKind, text.codePage);
  } else {
    last.AssignRaw(nullptr, 0, text.unitKind, text.codePage);
  }
}
