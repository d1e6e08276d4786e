// Memory DCs, bitmaps and DIB sections, and the device's capabilities.
#include <cstring>

#include "platform/gdi/bitmap_object.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_internal.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/gdi/gdi_hooks.h"
#endif

using namespace gdi_internal;

namespace {

PixelFormat DisplayFormat() {
  switch (DisplayBitsPerPixel()) {
    case 8: return PixelFormat::Indexed8;
    case 16: return PixelFormat::Rgb565;
    case 24: return PixelFormat::Rgb24;
    default: return PixelFormat::Rgb32;
  }
}

// The bitmap a DC's compatible bitmaps copy their format (and palette)
// from: a memory DC's selected bitmap (the stock one is monochrome, as on
// the device), a window DC's target; null for the display's own format.
const BitmapObject* FormatSource(DeviceContext* dc) {
  if (!dc) return nullptr;
  if (dc->kind == DcKind::Memory) return static_cast<const BitmapObject*>(dc->bitmap);
  return dc->target;
}

}  // namespace

HDC CreateCompatibleDC(HDC handle) {
  Journal("CreateCompatibleDC()");
  if (handle && !Dc(handle)) return nullptr;
  return NewDeviceContext(DcKind::Memory);
}

BOOL DeleteDC(HDC handle) {
  DeviceContext* dc = Dc(handle);
  Journal("DeleteDC()");
  if (!dc || dc->kind != DcKind::Memory) return FALSE;
  DestroyDeviceContext(dc);
  return TRUE;
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  Journal("CreateBitmap(%d,%d,%u,%u)", width, height, planes, bitsPerPixel);
  if (planes != 1) return nullptr;
  PixelFormat format;
  switch (bitsPerPixel) {
    case 1: format = PixelFormat::Mono1; break;
    case 8: format = PixelFormat::Indexed8; break;
    case 16: format = PixelFormat::Rgb565; break;
    case 24: format = PixelFormat::Rgb24; break;
    case 32: format = PixelFormat::Rgb32; break;
    default: return nullptr;
  }
#ifdef TESSALYN_TEST_HOOKS
  if (devtest::ShouldFailGdiCreation(devtest::GdiFailure::Bitmaps)) return nullptr;
#endif
  BitmapObject* bitmap = NewBitmapObject(format, width, height, false, true);
  if (!bitmap) return nullptr;
  // The caller's rows are padded to 16 bits, as the bitmap's own.
  if (bits) std::memcpy(bitmap->buffer, bits, static_cast<size_t>(bitmap->stride) * height);
  return bitmap;
}

HBITMAP CreateCompatibleBitmap(HDC handle, int width, int height) {
  Journal("CreateCompatibleBitmap(%d,%d)", width, height);
  DeviceContext* dc = Dc(handle);
  if (handle && !dc) return nullptr;
#ifdef TESSALYN_TEST_HOOKS
  if (devtest::ShouldFailGdiCreation(devtest::GdiFailure::Bitmaps)) return nullptr;
#endif
  const BitmapObject* source = FormatSource(dc);
  if (!source) return NewBitmapObject(DisplayFormat(), width, height, false, true);
  return NewBitmapObject(source->format, width, height, false, true, source->palette, source->paletteSize);
}

HBITMAP CreateDIBSection(HDC handle, const BITMAPINFO* info, UINT usage, void** bits, HANDLE, DWORD) {
  if (bits) *bits = nullptr;
  if (!info) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  Journal("CreateDIBSection(%d,%d,%u,%u)", h.biWidth, h.biHeight, h.biBitCount, h.biCompression);
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1) return nullptr;
  if (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) return nullptr;
  if (h.biHeight == static_cast<LONG>(0x80000000u)) return nullptr;
  const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  const bool topDown = h.biHeight < 0;
  // The colour table (or the bit-field masks) follows the header.
  const auto* table = reinterpret_cast<const uint8_t*>(info) + h.biSize;
  PixelFormat format;
  switch (h.biBitCount) {
    case 1: format = PixelFormat::Mono1; break;
    case 8: format = PixelFormat::Indexed8; break;
    case 16: {
      format = PixelFormat::Rgb555;
      if (h.biCompression == BI_BITFIELDS) {
        DWORD masks[3];
        std::memcpy(masks, table, sizeof masks);
        if (masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F) format = PixelFormat::Rgb565;
        else if (!(masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F)) return nullptr;
      }
      break;
    }
    case 24: format = PixelFormat::Rgb24; break;
    case 32: {
      format = PixelFormat::Rgb32;
      if (h.biCompression == BI_BITFIELDS) {
        DWORD masks[3];
        std::memcpy(masks, table, sizeof masks);
        if (!(masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF)) return nullptr;
      }
      break;
    }
    default: return nullptr;
  }
  if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && (h.biBitCount == 16 || h.biBitCount == 32))) {
    return nullptr;
  }
  RGBQUAD palette[256];
  int paletteSize = 0;
  if (h.biBitCount <= 8) {
    const int full = 1 << h.biBitCount;
    paletteSize = h.biClrUsed > 0 && static_cast<int>(h.biClrUsed) < full ? static_cast<int>(h.biClrUsed) : full;
    if (usage == DIB_RGB_COLORS) {
      std::memcpy(palette, table, static_cast<size_t>(paletteSize) * sizeof(RGBQUAD));
    } else {
      // Indices into the DC's palette: the display's default one.
      const RGBQUAD* system = DefaultPalette();
      for (int i = 0; i < paletteSize; ++i) {
        WORD index;
        std::memcpy(&index, table + 2 * i, sizeof index);
        palette[i] = system[index & 0xFF];
      }
    }
  }
  if (handle && !Dc(handle)) return nullptr;
#ifdef TESSALYN_TEST_HOOKS
  if (devtest::ShouldFailGdiCreation(devtest::GdiFailure::DibSections)) return nullptr;
#endif
  BitmapObject* bitmap = NewBitmapObject(format, h.biWidth, height, true, topDown, palette, paletteSize);
  if (!bitmap) return nullptr;
  bitmap->header = h;
  bitmap->header.biSize = sizeof(BITMAPINFOHEADER);
  bitmap->header.biSizeImage = static_cast<DWORD>(bitmap->stride) * height;
  // Masks are reported only for bit-field DIB sections.
  if (h.biCompression != BI_BITFIELDS) {
    bitmap->masks[0] = bitmap->masks[1] = bitmap->masks[2] = 0;
  } else if (h.biBitCount == 32) {
    bitmap->masks[0] = 0xFF0000;
    bitmap->masks[1] = 0xFF00;
    bitmap->masks[2] = 0xFF;
  }
  if (bits) *bits = bitmap->buffer;
  return bitmap;
}

// Every DC answers for the display: a memory DC is compatible with the
// screen whatever bitmap it holds, as on the device.
int GetDeviceCaps(HDC handle, int index) {
  DeviceContext* dc = Dc(handle);
  if (!dc) return 0;
  const int bits = DisplayBitsPerPixel();
  const int dpi = DisplayDpi();
  switch (index) {
    case HORZRES: return DisplayWidth();
    case VERTRES: return DisplayHeight();
    case HORZSIZE: return DisplayWidth() * 254 / (dpi * 10);
    case VERTSIZE: return DisplayHeight() * 254 / (dpi * 10);
    case BITSPIXEL: return bits;
    case PLANES: return 1;
    case NUMCOLORS: return bits <= 8 ? 1 << bits : -1;
    case SIZEPALETTE: return bits == 8 ? 256 : 0;
    case RASTERCAPS: return RC_BITBLT | RC_STRETCHBLT | (bits == 8 ? RC_PALETTE : 0);
    case LOGPIXELSX:
    case LOGPIXELSY: return dpi;
    default: return 0;
  }
}
