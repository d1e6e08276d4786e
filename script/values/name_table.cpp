// The script name table's look-ups: atom number to text through the constant
// pool, text to atom number through the script identifier trie.
#include "script/values/name_table.h"

#include "foundation/wide_string/shared_wide_string.h"
#include "layout/markup/keyword_tables.h"

namespace {

// Buffer records over the constant texts. Each starts with one reference
// that is never released, so no view can bring the count to zero and the
// records are never destroyed; ownsData 0 makes every writer copy first.
SharedWideBuffer gAtomPoolBuffer = {1, 0, const_cast<WCHAR*>(kScriptAtomPool), 0};
SharedWideBuffer gLiteralBuffer = {1, 0, const_cast<WCHAR*>(kScriptLiteralText), 0};

void ViewConstant(SharedWideBuffer* buffer, uint32_t offset, uint32_t length,
                  SharedWideString* text) {
  if (length == 0) {
    text->Clear();
    return;
  }
  ++buffer->refcount;  // before the release: text may view the same buffer
  ReleaseBuffer(text->buffer);
  text->buffer = buffer;
  text->offset = offset;
  text->length = length;
}

}  // namespace

uint32_t GetAtomLength(int32_t n) {
  if (n < 0 || n >= kScriptAtomLimit) return 0;
  uint32_t start = kScriptAtomOffsets[n];
  uint32_t end = kScriptAtomOffsets[n + 1];
  return end > start ? end - start : 0;
}

void GetAtomText(int32_t n, SharedWideString* text) {
  uint32_t length = GetAtomLength(n);
  ViewConstant(&gAtomPoolBuffer, length == 0 ? 0 : kScriptAtomOffsets[n], length, text);
}

void GetLiteralText(ScriptTextPiece piece, SharedWideString* text) {
  ViewConstant(&gLiteralBuffer, piece.offset, piece.length, text);
}

bool LookupScriptName(const WCHAR* text, uint32_t length, int32_t* atom) {
  if (text == nullptr || length == 0) return false;
  uint16_t id = 0;
  if (!LookupScriptKeyword(text, length, &id) || id == 0) return false;
  *atom = id;
  return true;
}
