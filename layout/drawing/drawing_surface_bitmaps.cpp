// DrawingSurface: memory bitmaps and blits, DIB sections of the screen's
// depth, transparent copies and icons. Every operation that draws on the
// surface reports what it drew (NoteDrawn); each does nothing when the
// surface has no DC or the bitmap is not valid.
#include <cstdlib>
#include <cstring>

#include "layout/drawing/drawing_surface.h"
#include "platform/gdi/gdi.h"
#include "platform/windows/painting.h"

void MemoryBitmap::Release() {
  if (dc != nullptr && previous != nullptr) SelectObject(dc, previous);
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (dc != nullptr) DeleteDC(dc);
  dc = nullptr;
  bitmap = nullptr;
  previous = nullptr;
}

HBITMAP DrawingSurface::CreateDibSection(const Size& size, void** bits) {
  *bits = nullptr;
  HDC screen = GetDC(window_);
  if (screen == nullptr) return nullptr;
  int bitCount = GetDeviceCaps(screen, BITSPIXEL);
  // The header, then room for the three masks or a 256-entry colour table.
  struct {
    BITMAPINFOHEADER header;
    DWORD colours[256];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = size.width != 0 ? size.width : 1;
  info.header.biHeight = size.height != 0 ? -size.height : -1;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bitCount);
  if (bitCount == 16) {
    info.header.biCompression = BI_BITFIELDS;
    info.colours[0] = 0xF800;
    info.colours[1] = 0x07E0;
    info.colours[2] = 0x001F;
  }
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(&info),
                                    bitCount == 8 ? DIB_PAL_COLORS : DIB_RGB_COLORS, bits, nullptr, 0);
  ReleaseDC(window_, screen);
  if (bitmap == nullptr) *bits = nullptr;
  return bitmap;
}

void DrawingSurface::CreateCompatibleBitmap(MemoryBitmap* bitmap, const Rect& rect) {
  bitmap->Release();
  if (currentDc_ == nullptr || rect.IsEmpty()) return;
  bitmap->dc = CreateCompatibleDC(currentDc_);
  if (bitmap->dc == nullptr) return;
  bitmap->bitmap = ::CreateCompatibleBitmap(currentDc_, rect.width, rect.height);
  if (bitmap->bitmap == nullptr) {
    bitmap->Release();
    return;
  }
  bitmap->previous = SelectObject(bitmap->dc, bitmap->bitmap);
  if (!BitBlt(bitmap->dc, 0, 0, rect.width, rect.height, currentDc_, rect.x, rect.y, SRCCOPY)) bitmap->Release();
}

void DrawingSurface::CreateDibBitmap(MemoryBitmap* bitmap, const Size& size) {
  bitmap->Release();
  HDC screen = GetDC(window_);
  if (screen == nullptr) return;
  bitmap->dc = CreateCompatibleDC(screen);
  ReleaseDC(window_, screen);
  if (bitmap->dc == nullptr) return;
  void* bits;
  bitmap->bitmap = CreateDibSection(size, &bits);
  if (bitmap->bitmap == nullptr) {
    bitmap->Release();
    return;
  }
  bitmap->previous = SelectObject(bitmap->dc, bitmap->bitmap);
}

bool DrawingSurface::BlitBitmap(MemoryBitmap* bitmap, const Rect& rect, bool release) {
  bool failed = true;
  if (currentDc_ != nullptr && bitmap->IsValid()) {
    failed = !BitBlt(currentDc_, rect.x, rect.y, rect.width, rect.height, bitmap->dc, 0, 0, SRCCOPY);
  }
  if (release) bitmap->Release();
  if (!failed) NoteDrawn(&rect);
  return failed;
}

void DrawingSurface::BlitBitmapAt(const MemoryBitmap& bitmap, Point source, const Rect& rect) {
  if (!bitmap.IsValid()) return;
  BlitFromDC(bitmap.dc, source, rect);
}

void DrawingSurface::BlitFromDC(HDC dc, Point source, const Rect& rect) {
  if (currentDc_ == nullptr || dc == nullptr) return;
  if (BitBlt(currentDc_, rect.x, rect.y, rect.width, rect.height, dc, source.x, source.y, SRCCOPY)) NoteDrawn(&rect);
}

void DrawingSurface::BlitBetween(MemoryBitmap* target, const MemoryBitmap& source, Point sourcePoint,
                                 const Rect& rect) {
  if (!target->IsValid() || !source.IsValid()) return;
  BitBlt(target->dc, rect.x, rect.y, rect.width, rect.height, source.dc, sourcePoint.x, sourcePoint.y, SRCCOPY);
}

void DrawingSurface::StretchBitmap(const MemoryBitmap& bitmap, const Rect& source, const Rect& rect) {
  if (currentDc_ == nullptr || !bitmap.IsValid()) return;
  if (StretchBlt(currentDc_, rect.x, rect.y, rect.width, rect.height, bitmap.dc, source.x, source.y, source.width,
                 source.height, SRCCOPY)) {
    NoteDrawn(&rect);
  }
}

void DrawingSurface::DrawTransparent(const MemoryBitmap& bitmap, const Rect& source, const Rect& rect, Color color) {
  if (currentDc_ == nullptr || !bitmap.IsValid()) return;
  if (TransparentImage(currentDc_, rect.x, rect.y, rect.width, rect.height, bitmap.dc, source.x, source.y,
                       source.width, source.height, color.value)) {
    NoteDrawn(&rect);
  }
}

void DrawingSurface::DrawBitmapOnBackground(const MemoryBitmap& bitmap, const Rect& rect, Color color) {
  EraseRect(rect);
  DrawTransparent(bitmap, Rect{0, 0, rect.width, rect.height}, rect, color);
  NoteDrawn(&rect);
}

bool DrawingSurface::DrawIcon(const Rect& rect, const Rect& clip, HICON icon, const Size& iconSize) {
  Size fitted{rect.width, rect.height};
  fitted.FitWithin(iconSize, false);
  Rect box{rect.x, rect.y, fitted.width, fitted.height};
  box.SetCenterY(rect.CenterY(), false);
  box.SetCenterX(rect.CenterX(), false);
  Rect visible;
  if (!Rect::Intersect(box, clip, &visible) || visible.IsEmpty()) return true;
  if (currentDc_ == nullptr || icon == nullptr) return true;
  // The icon is drawn whole at the box; the clip decides only whether.
  DrawIconEx(currentDc_, box.x, box.y, icon, 0, 0, 0, nullptr, DI_NORMAL);
  NoteDrawn(&rect);
  return true;
}
