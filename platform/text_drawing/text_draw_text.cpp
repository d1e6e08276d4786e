// DrawTextW: lays the text out in lines (draw_text_layout.h), places them in
// the rectangle (left, centred or right; top, or for a single line also
// centred vertically or at the bottom) and draws them clipped to the
// rectangle unless DT_NOCLIP; DT_CALCRECT only measures and moves the
// rectangle's right and bottom edges to the text's extent.
#include <algorithm>
#include <limits>

#include "platform/core/last_error.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/text_drawing/text.h"
#include "platform/text_drawing/draw_text_layout.h"
#include "platform/text_drawing/font_object.h"
#include "platform/text_drawing/journal_text.h"
#include "platform/text_drawing/text_run.h"

namespace {

LONG ToLong(int64_t v) {
  return static_cast<LONG>(std::clamp<int64_t>(v, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max()));
}

int Draw(HDC handle, LPCWSTR text, int count, RECT* rect, UINT format) {
  if (text == nullptr || rect == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (count == -1) {
    count = 0;
    while (text[count] != 0 && count < std::numeric_limits<int>::max()) ++count;
  }
  if (count < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (gdi_internal::JournalOn()) {
    gdi_internal::Journal("DrawTextW(%d,%d,%d,%d,0x%x,%s)", static_cast<int>(rect->left), static_cast<int>(rect->top),
                          static_cast<int>(rect->right), static_cast<int>(rect->bottom), format,
                          textdraw::JournalText(text, count).c_str());
  }
  textdraw::SelectedFont selected(handle);
  if (!selected.ok()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  // With DT_TABSTOP, bits 8-15 hold the tab stop, not flags.
  int32_t tabCharacters = 8;
  if (format & DT_TABSTOP) {
    tabCharacters = static_cast<int32_t>((format >> 8) & 0xFF);
    format &= ~0xFF00u;
  }
  DeviceContext* dc = selected.dc();
  fonts::FontFace& face = selected.face();
  const fonts::FontMetrics& m = face.Metrics();
  int64_t boxWidth = static_cast<int64_t>(rect->right) - rect->left;
  std::vector<textdraw::LaidOutLine> lines = textdraw::LayOutText(face, text, count, format, boxWidth, tabCharacters);

  int64_t lineHeight = m.height + ((format & DT_EXTERNALLEADING) ? m.externalLeading : 0);
  int64_t textHeight = lineHeight * static_cast<int64_t>(lines.size());
  bool single = (format & DT_SINGLELINE) != 0;
  int64_t top = rect->top;
  if (single && (format & DT_VCENTER)) {
    top = (static_cast<int64_t>(rect->top) + rect->bottom - lineHeight) / 2;
  } else if (single && (format & DT_BOTTOM)) {
    top = rect->bottom - lineHeight;
  }

  if (format & DT_CALCRECT) {
    int64_t widest = 0;
    for (const textdraw::LaidOutLine& line : lines) widest = std::max(widest, line.width);
    rect->right = ToLong(rect->left + widest);
    rect->bottom = ToLong(rect->top + textHeight);
  } else {
    textdraw::RunStyle style;
    style.textColor = dc->textColor;
    style.opaque = dc->bkMode == OPAQUE;
    style.bkColor = dc->bkColor;
    RECT clip = *rect;
    style.clip = (format & DT_NOCLIP) ? nullptr : &clip;
    int64_t y = top;
    for (const textdraw::LaidOutLine& line : lines) {
      int64_t x = rect->left;
      if (format & DT_CENTER) {
        x = (static_cast<int64_t>(rect->left) + rect->right - line.width) / 2;
      } else if (format & DT_RIGHT) {
        x = rect->right - line.width;
      }
      style.underlinedUnit = line.underlinedUnit;
      if (!line.text.empty()) {
        textdraw::DrawRun(dc, face, ToLong(x), ToLong(y), line.text.data(), static_cast<int32_t>(line.text.size()),
                          line.advances.data(), style);
      }
      y += lineHeight;
    }
    dc->NoteChanged();
  }
  if (single && (format & (DT_VCENTER | DT_BOTTOM))) return static_cast<int>(ToLong(top + textHeight - rect->top));
  return static_cast<int>(ToLong(textHeight));
}

}  // namespace

int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format) {
  try {
    return Draw(dc, text, count, rect, format);
  } catch (...) {
    return 0;
  }
}
