// ExtTextOutW and the text alignment it honours.
#include <algorithm>

#include "platform/core/last_error.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/text_drawing/text.h"
#include "platform/text_drawing/font_object.h"
#include "platform/text_drawing/journal_text.h"
#include "platform/text_drawing/text_run.h"

namespace {

BOOL OutputText(HDC handle, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
             const int* spacing) {
  if (text == nullptr && count > 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (count > 0x7FFFFFFFu) count = 0x7FFFFFFFu;
  if (gdi_internal::JournalOn()) {
    gdi_internal::Journal("ExtTextOutW(%d,%d,%u,%s)", x, y, options, textdraw::JournalText(text, count).c_str());
  }
  textdraw::SelectedFont selected(handle);
  if (!selected.ok()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DeviceContext* dc = selected.dc();
  fonts::FontFace& face = selected.face();
  const fonts::FontMetrics& m = face.Metrics();
  int32_t n = static_cast<int32_t>(count);

  if ((options & ETO_OPAQUE) && rect != nullptr) DcFillSolid(dc, *rect, dc->bkColor);

  std::vector<int32_t> advances;
  if (spacing != nullptr) {
    advances.assign(spacing, spacing + n);
  } else {
    advances = textdraw::UnitAdvances(face, text, n);
  }
  int64_t width = 0;
  for (int32_t a : advances) width += a;

  bool updateCp = (dc->textAlign & TA_UPDATECP) != 0;
  if (updateCp) {
    x = dc->position.x;
    y = dc->position.y;
  }
  int32_t left = x;
  switch (dc->textAlign & TA_CENTER) {
    case TA_RIGHT: left = static_cast<int32_t>(x - width); break;
    case TA_CENTER: left = static_cast<int32_t>(x - width / 2); break;
    default: break;
  }
  int32_t top = y;
  if ((dc->textAlign & TA_BASELINE) == TA_BASELINE) {
    top = y - m.ascent;
  } else if (dc->textAlign & TA_BOTTOM) {
    top = y - m.height;
  }

  textdraw::RunStyle style;
  style.textColor = dc->textColor;
  style.opaque = dc->bkMode == OPAQUE;
  style.bkColor = dc->bkColor;
  style.clip = (options & ETO_CLIPPED) && rect != nullptr ? rect : nullptr;
  if (n > 0) textdraw::DrawRun(dc, face, left, top, text, n, advances.data(), style);

  if (updateCp) {
    // The current position moves past the text (back for right alignment).
    if ((dc->textAlign & TA_CENTER) == TA_LEFT) dc->position.x = static_cast<LONG>(x + width);
    if ((dc->textAlign & TA_CENTER) == TA_RIGHT) dc->position.x = static_cast<LONG>(x - width);
  }
  dc->NoteChanged();
  return TRUE;
}

}  // namespace

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                 const int* spacing) {
  try {
    return OutputText(dc, x, y, options, rect, text, count, spacing);
  } catch (...) {
    return FALSE;
  }
}

UINT SetTextAlign(HDC handle, UINT align) {
  DeviceContext* dc = LiveDeviceContext(handle);
  if (dc == nullptr) return GDI_ERROR;
  UINT previous = dc->textAlign;
  dc->textAlign = align;
  return previous;
}

UINT GetTextAlign(HDC handle) {
  DeviceContext* dc = LiveDeviceContext(handle);
  return dc == nullptr ? GDI_ERROR : dc->textAlign;
}
