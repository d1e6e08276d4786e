// A bitmap: device-dependent bitmaps (CreateBitmap,
// CreateCompatibleBitmap) and DIB sections (CreateDIBSection) alike are a
// block of rows in one of the pixel formats below. Row 0 is the top row;
// `pitch` steps from one row to the one below it, negative for a bottom-up
// DIB section whose buffer starts with the bottom row, so every drawing
// loop walks rows the same way whatever the layout.
//
// Formats: 1 bit (masks; 0 = black, 1 = white unless the colour table says
// otherwise), 8 bits with a colour table of up to 256 entries, 16 bits as
// 5-6-5 (the device's screen) or 5-5-5 (a 16-bit DIB without bit fields),
// 24 bits (blue, green, red bytes) and 32 bits (0x00RRGGBB words).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/gdi_types.h"

struct DeviceContext;

enum class PixelFormat : uint8_t { Mono1, Indexed8, Rgb555, Rgb565, Rgb24, Rgb32 };

int BitsPerPixelOf(PixelFormat format);
// Bytes of one row: width * bits rounded up to 16 bits for device bitmaps
// (as the device's BITMAP records them) or to 32 bits for DIB sections.
int RowBytes(PixelFormat format, int width, bool dibSection);

struct BitmapObject final : GdiObject {
  explicit BitmapObject(bool counted = true) : GdiObject(GdiKind::Bitmap, counted) {}
  ~BitmapObject() override;
  int Describe(int size, void* out) const override;

  uint8_t* Row(int y) const { return row0 + static_cast<ptrdiff_t>(y) * pitch; }

  PixelFormat format = PixelFormat::Rgb32;
  int width = 0;
  int height = 0;
  int stride = 0;       // bytes per row
  ptrdiff_t pitch = 0;  // from row y to row y + 1 (negative bottom-up)
  uint8_t* row0 = nullptr;
  uint8_t* buffer = nullptr;  // the allocation; the DIB section's bits
  bool ownsBuffer = true;
  bool dibSection = false;
  // The DIB section's header as created (height negative for top-down) and
  // its bit-field masks.
  BITMAPINFOHEADER header{};
  DWORD masks[3] = {0, 0, 0};
  // Colour table of 1- and 8-bit bitmaps.
  RGBQUAD palette[256] = {};
  int paletteSize = 0;
  // The memory DC it is selected into (a bitmap is in at most one).
  DeviceContext* selectedInto = nullptr;
  // Bumped by every drawing call that writes into the bitmap; the screen's
  // backends compare it to know when to present again.
  uint32_t changeCount = 0;
};

// Makes a bitmap with rows of the given format, zero-filled; null when the
// size is not positive, too large or memory runs out. Palettised formats
// get the default palette (the first `paletteSize` entries of `palette`
// when given). Bottom-up only for DIB sections.
BitmapObject* NewBitmapObject(PixelFormat format, int width, int height, bool dibSection, bool topDown,
                              const RGBQUAD* palette = nullptr, int paletteSize = 0, bool counted = true);

// The platform's own drawing surfaces (the screen of the windows layer, a
// backend's frame): bitmaps not counted among the system's objects and not
// deletable with DeleteObject; freed with DestroySurfaceBitmap once no DC
// targets it any more (the windows layer releases its window DCs first).
BitmapObject* CreateSurfaceBitmap(int width, int height, int bitsPerPixel);
void DestroySurfaceBitmap(BitmapObject* bitmap);

// The palette palettised compatible bitmaps start with: a 6x6x6 colour
// cube (index 0 black, 215 white) followed by 40 greys.
const RGBQUAD* DefaultPalette();
