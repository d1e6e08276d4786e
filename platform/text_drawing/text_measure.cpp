// GetTextExtentPoint32W and GetTextExtentExPointW: widths of texts in the
// selected font, how many characters fit a width, and partial extents.
#include <algorithm>
#include <limits>

#include "platform/core/last_error.h"
#include "platform/text_drawing/text.h"
#include "platform/text_drawing/font_object.h"
#include "platform/text_drawing/text_run.h"

namespace {

LONG ToLong(int64_t v) {
  return static_cast<LONG>(std::clamp<int64_t>(v, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max()));
}

BOOL Measure(HDC dc, LPCWSTR text, int count, int maxExtent, LPINT fit, LPINT partial, SIZE* size) {
  if (count < 0 || (text == nullptr && count > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  textdraw::SelectedFont selected(dc);
  if (!selected.ok()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::vector<int32_t> advances = textdraw::UnitAdvances(selected.face(), text, count);
  int64_t extent = 0;
  int fitted = 0;
  bool fitting = maxExtent >= 0;
  for (int i = 0; i < count; ++i) {
    extent += advances[static_cast<size_t>(i)];
    if (partial != nullptr) partial[i] = static_cast<int>(ToLong(extent));
    // A surrogate pair fits or not as one character.
    bool endsCharacter = i + 1 >= count || !(text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF &&
                                             text[i] >= 0xD800 && text[i] <= 0xDBFF);
    if (fitting && endsCharacter) {
      if (extent <= maxExtent) {
        fitted = i + 1;
      } else {
        fitting = false;
      }
    }
  }
  if (fit != nullptr) *fit = fitted;
  if (size != nullptr) {
    size->cx = ToLong(extent);
    size->cy = selected.metrics().height;
  }
  return TRUE;
}

}  // namespace

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size) {
  try {
    return Measure(dc, text, count, -1, nullptr, nullptr, size);
  } catch (...) {
    return FALSE;
  }
}

BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int count, int maxExtent, LPINT fit, LPINT partial,
                           SIZE* size) {
  try {
    return Measure(dc, text, count, maxExtent, fit, partial, size);
  } catch (...) {
    return FALSE;
  }
}
