// DrawingSurface::BlitRotated: copies a DIB section onto the surface turned
// by a rotation code, through a strip of 32 source rows, so that the extra
// memory is 32 x W pixels whatever the page size. Pixels are copied by
// their byte width without conversion. A source pixel (x, y) of a W x H
// image lands where the display's orientation transform puts it:
//   code 1: (y, W - 1 - x); code 2: (H - 1 - y, x); code 3: (W - 1 - x, H - 1 - y).
#include <cstring>

#include "layout/drawing/drawing_surface.h"
#include "platform/gdi/gdi.h"

namespace {

constexpr int32_t kStripRows = 32;

// A top-down DIB section of the given size and bit count, no colour table
// beyond the 16-bit masks; null on failure.
HBITMAP CreateStrip(HDC dc, int32_t width, int32_t height, int bitCount, uint8_t** bits) {
  struct {
    BITMAPINFOHEADER header;
    DWORD masks[3];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = -height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bitCount);
  if (bitCount == 16) {
    info.header.biCompression = BI_BITFIELDS;
    info.masks[0] = 0xF800;
    info.masks[1] = 0x07E0;
    info.masks[2] = 0x001F;
  }
  void* raw = nullptr;
  HBITMAP strip = CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, &raw, nullptr, 0);
  *bits = static_cast<uint8_t*>(raw);
  if (strip != nullptr && raw == nullptr) {
    DeleteObject(strip);
    return nullptr;
  }
  return strip;
}

uint32_t RowStride(int32_t width, int32_t bytesPerPixel) {
  return (static_cast<uint32_t>(width) * static_cast<uint32_t>(bytesPerPixel) + 3u) & ~3u;
}

}  // namespace

void DrawingSurface::BlitRotated(const MemoryBitmap& bitmap, Point point, const Rect& rect, uint8_t rotation) {
  if (rotation == 0 || rotation == 255) {
    BlitBitmapAt(bitmap, point, rect);
    return;
  }
  if (rotation > 3) return;
  RotatedStrips(bitmap, point, rect, rotation);
}

void DrawingSurface::RotatedStrips(const MemoryBitmap& bitmap, Point point, const Rect& rect, uint8_t rotation) {
  if (currentDc_ == nullptr || !bitmap.IsValid()) return;
  DIBSECTION section{};
  if (GetObjectW(bitmap.bitmap, sizeof(section), &section) < static_cast<int>(sizeof(section))) return;
  const int32_t W = section.dsBmih.biWidth;
  const bool topDown = section.dsBmih.biHeight < 0;
  const int32_t H = topDown ? -section.dsBmih.biHeight : section.dsBmih.biHeight;
  const int32_t B = section.dsBmih.biBitCount / 8;
  const uint8_t* sourceBits = static_cast<const uint8_t*>(section.dsBm.bmBits);
  if (W <= 0 || H <= 0 || B < 1 || B > 4 || sourceBits == nullptr) return;
  const uint32_t sourceStride = RowStride(W, B);

  // The source area: the rectangle at the point with the target's size.
  Rect area{point.x, point.y, rect.width, rect.height};
  Rect image{0, 0, W, H};
  if (!Rect::Intersect(area, image, &area) || area.IsEmpty()) return;

  const int32_t stripWidth = rotation == 3 ? W : kStripRows;
  const int32_t stripHeight = rotation == 3 ? kStripRows : W;
  uint8_t* stripBits = nullptr;
  HBITMAP strip = CreateStrip(bitmap.dc, stripWidth, stripHeight, section.dsBmih.biBitCount, &stripBits);
  if (strip == nullptr) return;
  const uint32_t stripStride = RowStride(stripWidth, B);
  HGDIOBJ previous = SelectObject(bitmap.dc, strip);

  for (int32_t t = 0; t < H; t += kStripRows) {
    Rect band{0, t, W, kStripRows};
    Rect s;
    if (!Rect::Intersect(band, area, &s) || s.IsEmpty()) continue;
    for (int32_t y = s.y; y < s.y + s.height; ++y) {
      const uint8_t* row = sourceBits + static_cast<size_t>(topDown ? y : H - 1 - y) * sourceStride;
      for (int32_t x = s.x; x < s.x + s.width; ++x) {
        int32_t column, stripRow;
        if (rotation == 1) {
          column = y - t;
          stripRow = W - 1 - x;
        } else if (rotation == 2) {
          column = kStripRows - 1 - (y - t);
          stripRow = x;
        } else {
          column = W - 1 - x;
          stripRow = kStripRows - 1 - (y - t);
        }
        std::memcpy(stripBits + static_cast<size_t>(stripRow) * stripStride + static_cast<size_t>(column) * B,
                    row + static_cast<size_t>(x) * B, static_cast<size_t>(B));
      }
    }
    const Rect& c = rect;
    const Point& p = point;
    if (rotation == 1) {
      BitBlt(currentDc_, s.y + c.y - p.y, p.x + W - c.x - s.x - s.width, s.height, s.width, bitmap.dc, s.y - t,
             W - s.x - s.width, SRCCOPY);
    } else if (rotation == 2) {
      BitBlt(currentDc_, H + p.y - s.height - s.y - c.y, c.x + s.x - p.x, s.height, s.width, bitmap.dc,
             kStripRows + t - s.height - s.y, s.x, SRCCOPY);
    } else {
      BitBlt(currentDc_, p.x + W - c.x - s.width - s.x, H + p.y - s.height - s.y - c.y, s.width, s.height,
             bitmap.dc, W - s.width - s.x, kStripRows + t - s.height - s.y, SRCCOPY);
    }
  }

  SelectObject(bitmap.dc, previous);
  DeleteObject(strip);
  NoteDrawn(&rect);
}
