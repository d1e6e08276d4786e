// DrawingSurface::DrawPicture: a GIF or BMP picture drawn straight from its
// bytes into the visible part of a rectangle. The picture is decoded into an
// 8-bit DIB section of the rectangle's size: a BMP centred (cut at both
// sides when it is larger, never scaled), a GIF scaled down to the
// rectangle (never up: a small GIF stays at its size in the top-left
// corner). Transparent pixels take the fill colour, else the background
// colour, else white.
#include <cstring>
#include <new>

#include "layout/drawing/drawing_surface.h"
#include "platform/gdi/gdi.h"
#include "storage/pictures/image_decoder.h"

namespace {

// Header and a full 256-entry colour table.
struct PictureHeader {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

void SetEntry(RGBQUAD* entry, uint32_t colour) {
  entry->rgbRed = static_cast<BYTE>(colour);
  entry->rgbGreen = static_cast<BYTE>(colour >> 8);
  entry->rgbBlue = static_cast<BYTE>(colour >> 16);
  entry->rgbReserved = 0;
}

}  // namespace

bool DrawingSurface::DrawPicture(const Rect& rect, const Rect& clip, const uint8_t* data, uint32_t length) {
  Rect visible;
  if (!Rect::Intersect(rect, clip, &visible) || visible.IsEmpty()) return true;
  if (currentDc_ == nullptr) return true;
  ImageDecoder decoder(data, length);
  if (!decoder.IsDecodable()) return false;
  // The rectangle bounds the decoding memory; a picture's own size never
  // does.
  if (rect.width <= 0 || rect.height <= 0 || rect.width > 0x7FFF || rect.height > 0x7FFF) return false;

  PictureHeader* info = new (std::nothrow) PictureHeader{};
  if (info == nullptr) return false;
  uint32_t paletteCount = decoder.GetPalette32(reinterpret_cast<uint8_t*>(info->colours));
  info->header.biSize = sizeof(BITMAPINFOHEADER);
  info->header.biWidth = rect.width;
  info->header.biHeight = -rect.height;
  info->header.biPlanes = 1;
  info->header.biBitCount = 8;
  info->header.biCompression = BI_RGB;
  info->header.biClrUsed = paletteCount;
  decoder.SetOptions(false, false, false, true, false);

  int32_t transparent = decoder.TransparentIndex();
  if (transparent >= 0 && static_cast<uint32_t>(transparent) < 256) {
    uint32_t colour = 0x00FFFFFF;
    if (!fillColor_.IsNone() && fillColor_.value != Color::kUnapplied) {
      colour = fillColor_.value;
    } else if (!background_.IsNone()) {
      colour = background_.value;
    }
    SetEntry(&info->colours[transparent], colour);
    if (static_cast<uint32_t>(transparent) >= paletteCount) info->header.biClrUsed = transparent + 1;
  }

  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(currentDc_, reinterpret_cast<const BITMAPINFO*>(info), DIB_RGB_COLORS, &bits,
                                 nullptr, 0);
  if (dib == nullptr || bits == nullptr) {
    if (dib != nullptr) DeleteObject(dib);
    delete info;
    return false;
  }
  const int32_t stride = (rect.width + 3) & ~3;
  // Pixels the picture does not cover show the transparent colour's
  // stand-in, or the first palette entry.
  std::memset(bits, transparent >= 0 && transparent < 256 ? transparent : 0, static_cast<size_t>(stride) * rect.height);
  bool ok = decoder.SetOutput(static_cast<uint16_t>(rect.width), static_cast<uint16_t>(rect.height), 8,
                              static_cast<uint8_t*>(bits), stride, nullptr, nullptr, false) == kImageOk;
  int32_t left = 0, top = 0;
  if (ok && decoder.Kind() == kImageKindBmp) {
    left = (rect.width - static_cast<int32_t>(decoder.Width())) / 2;
    top = (rect.height - static_cast<int32_t>(decoder.Height())) / 2;
  } else if (ok) {
    // Refused (the picture is smaller): it stays at its own size.
    decoder.SetScale(rect.width, decoder.Width(), rect.height, decoder.Height());
  }
  // A picture that ends early still shows the rows it had.
  if (ok) decoder.Decode(left, top);

  bool drawn = false;
  if (ok) {
    HDC memory = CreateCompatibleDC(currentDc_);
    if (memory != nullptr) {
      HGDIOBJ previous = SelectObject(memory, dib);
      drawn = BitBlt(currentDc_, visible.x, visible.y, visible.width, visible.height, memory, visible.x - rect.x,
                     visible.y - rect.y, SRCCOPY) != 0;
      SelectObject(memory, previous);
      DeleteDC(memory);
    }
  }
  DeleteObject(dib);
  delete info;
  if (drawn) NoteDrawn(&rect);
  return drawn;
}
