// Bitmap objects: their rows, formats, default palette and descriptions.
#include "platform/gdi/bitmap_object.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/gdi/device_context.h"

int BitsPerPixelOf(PixelFormat format) {
  switch (format) {
    case PixelFormat::Mono1: return 1;
    case PixelFormat::Indexed8: return 8;
    case PixelFormat::Rgb555:
    case PixelFormat::Rgb565: return 16;
    case PixelFormat::Rgb24: return 24;
    case PixelFormat::Rgb32: return 32;
  }
  return 0;
}

int RowBytes(PixelFormat format, int width, bool dibSection) {
  const long long bits = static_cast<long long>(width) * BitsPerPixelOf(format);
  const int unit = dibSection ? 32 : 16;
  return static_cast<int>((bits + unit - 1) / unit * (unit / 8));
}

const RGBQUAD* DefaultPalette() {
  static const auto* palette = [] {
    auto* table = new RGBQUAD[256];
    int i = 0;
    for (int r = 0; r < 6; ++r) {
      for (int g = 0; g < 6; ++g) {
        for (int b = 0; b < 6; ++b) {
          table[i++] = RGBQUAD{static_cast<BYTE>(b * 51), static_cast<BYTE>(g * 51), static_cast<BYTE>(r * 51), 0};
        }
      }
    }
    for (int n = 1; n <= 40; ++n) {
      // Greys between the cube's steps (6 ... 249), none equal to a cube grey.
      const BYTE v = static_cast<BYTE>((n * 255 + 20) / 41);
      table[i++] = RGBQUAD{v, v, v, 0};
    }
    return table;
  }();
  return palette;
}

BitmapObject::~BitmapObject() {
  if (ownsBuffer) std::free(buffer);
}

int BitmapObject::Describe(int size, void* out) const {
  const int needed = dibSection && size >= static_cast<int>(sizeof(DIBSECTION)) ? static_cast<int>(sizeof(DIBSECTION))
                                                                               : static_cast<int>(sizeof(BITMAP));
  if (!out) return dibSection ? static_cast<int>(sizeof(DIBSECTION)) : static_cast<int>(sizeof(BITMAP));
  if (size < static_cast<int>(sizeof(BITMAP))) return 0;
  BITMAP bm{};
  bm.bmType = 0;
  bm.bmWidth = width;
  bm.bmHeight = height;
  bm.bmWidthBytes = stride;
  bm.bmPlanes = 1;
  bm.bmBitsPixel = static_cast<WORD>(BitsPerPixelOf(format));
  bm.bmBits = dibSection ? buffer : nullptr;
  if (needed == static_cast<int>(sizeof(DIBSECTION))) {
    DIBSECTION ds{};
    ds.dsBm = bm;
    ds.dsBmih = header;
    ds.dsBitfields[0] = masks[0];
    ds.dsBitfields[1] = masks[1];
    ds.dsBitfields[2] = masks[2];
    std::memcpy(out, &ds, sizeof ds);
  } else {
    std::memcpy(out, &bm, sizeof bm);
  }
  return needed;
}

BitmapObject* NewBitmapObject(PixelFormat format, int width, int height, bool dibSection, bool topDown,
                              const RGBQUAD* palette, int paletteSize, bool counted) {
  // Bounds keep every row offset and the whole buffer well inside an int.
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;
  const int stride = RowBytes(format, width, dibSection);
  const size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(height);
  if (bytes > (size_t{256} << 20)) return nullptr;
  auto* buffer = static_cast<uint8_t*>(std::calloc(bytes, 1));
  if (!buffer) return nullptr;
  auto* bitmap = new (std::nothrow) BitmapObject(counted);
  if (!bitmap) {
    std::free(buffer);
    return nullptr;
  }
  bitmap->format = format;
  bitmap->width = width;
  bitmap->height = height;
  bitmap->stride = stride;
  bitmap->buffer = buffer;
  bitmap->dibSection = dibSection;
  if (!dibSection || topDown) {
    bitmap->row0 = buffer;
    bitmap->pitch = stride;
  } else {
    bitmap->row0 = buffer + static_cast<ptrdiff_t>(stride) * (height - 1);
    bitmap->pitch = -static_cast<ptrdiff_t>(stride);
  }
  if (format == PixelFormat::Mono1) {
    bitmap->paletteSize = 2;
    bitmap->palette[0] = RGBQUAD{0, 0, 0, 0};
    bitmap->palette[1] = RGBQUAD{255, 255, 255, 0};
  } else if (format == PixelFormat::Indexed8) {
    bitmap->paletteSize = 256;
    std::memcpy(bitmap->palette, DefaultPalette(), 256 * sizeof(RGBQUAD));
  }
  if (palette && paletteSize > 0 && bitmap->paletteSize > 0) {
    const int n = paletteSize < bitmap->paletteSize ? paletteSize : bitmap->paletteSize;
    std::memcpy(bitmap->palette, palette, static_cast<size_t>(n) * sizeof(RGBQUAD));
    // Entries the caller left out are black.
    for (int i = n; i < bitmap->paletteSize; ++i) bitmap->palette[i] = RGBQUAD{0, 0, 0, 0};
  }
  if (format == PixelFormat::Rgb565) {
    bitmap->masks[0] = 0xF800;
    bitmap->masks[1] = 0x07E0;
    bitmap->masks[2] = 0x001F;
  } else if (format == PixelFormat::Rgb555) {
    bitmap->masks[0] = 0x7C00;
    bitmap->masks[1] = 0x03E0;
    bitmap->masks[2] = 0x001F;
  }
  return bitmap;
}

static PixelFormat FormatForBits(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1: return PixelFormat::Mono1;
    case 8: return PixelFormat::Indexed8;
    case 16: return PixelFormat::Rgb565;
    case 24: return PixelFormat::Rgb24;
    default: return PixelFormat::Rgb32;
  }
}

BitmapObject* CreateSurfaceBitmap(int width, int height, int bitsPerPixel) {
  BitmapObject* bitmap =
      NewBitmapObject(FormatForBits(bitsPerPixel), width, height, false, true, nullptr, 0, /*counted=*/false);
  if (bitmap) bitmap->stock = true;
  return bitmap;
}

void DestroySurfaceBitmap(BitmapObject* bitmap) {
  if (!bitmap) return;
  if (bitmap->selectedInto) bitmap->selectedInto->SetTarget(nullptr);
  delete bitmap;
}
