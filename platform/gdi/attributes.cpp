// The DC's drawing attributes: raster operation, background mode and
// colour, text colour, viewport origin and stretching mode.
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_internal.h"

using namespace gdi_internal;

int SetROP2(HDC handle, int mode) {
  DeviceContext* dc = Dc(handle);
  Journal("SetROP2(%d)", mode);
  if (!dc || mode < R2_BLACK || mode > R2_WHITE) return 0;
  const int old = dc->rop2;
  dc->rop2 = mode;
  return old;
}

int GetROP2(HDC handle) {
  DeviceContext* dc = Dc(handle);
  return dc ? dc->rop2 : 0;
}

int SetBkMode(HDC handle, int mode) {
  DeviceContext* dc = Dc(handle);
  Journal("SetBkMode(%d)", mode);
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  const int old = dc->bkMode;
  dc->bkMode = mode;
  return old;
}

int GetBkMode(HDC handle) {
  DeviceContext* dc = Dc(handle);
  return dc ? dc->bkMode : 0;
}

COLORREF SetBkColor(HDC handle, COLORREF colour) {
  DeviceContext* dc = Dc(handle);
  Journal("SetBkColor(0x%06x)", colour);
  if (!dc) return CLR_INVALID;
  const COLORREF old = dc->bkColor;
  dc->bkColor = colour & 0xFFFFFF;
  return old;
}

COLORREF GetBkColor(HDC handle) {
  DeviceContext* dc = Dc(handle);
  return dc ? dc->bkColor : CLR_INVALID;
}

COLORREF SetTextColor(HDC handle, COLORREF colour) {
  DeviceContext* dc = Dc(handle);
  Journal("SetTextColor(0x%06x)", colour);
  if (!dc) return CLR_INVALID;
  const COLORREF old = dc->textColor;
  dc->textColor = colour & 0xFFFFFF;
  return old;
}

COLORREF GetTextColor(HDC handle) {
  DeviceContext* dc = Dc(handle);
  return dc ? dc->textColor : CLR_INVALID;
}

BOOL SetViewportOrgEx(HDC handle, int x, int y, POINT* previous) {
  DeviceContext* dc = Dc(handle);
  Journal("SetViewportOrgEx(%d,%d)", x, y);
  if (!dc) return FALSE;
  if (previous) *previous = dc->viewportOrigin;
  dc->viewportOrigin = POINT{x, y};
  return TRUE;
}

BOOL GetViewportOrgEx(HDC handle, POINT* origin) {
  DeviceContext* dc = Dc(handle);
  if (!dc || !origin) return FALSE;
  *origin = dc->viewportOrigin;
  return TRUE;
}

int SetStretchBltMode(HDC handle, int mode) {
  DeviceContext* dc = Dc(handle);
  if (!dc || mode < BLACKONWHITE || mode > HALFTONE) return 0;
  const int old = dc->stretchMode;
  dc->stretchMode = mode;
  return old;
}
