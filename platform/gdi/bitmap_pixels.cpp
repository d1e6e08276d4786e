// Pixels of bitmaps read back, and PNG pictures of them.
#include "platform/gdi/bitmap_pixels.h"

#include <vector>

#include "platform/gdi/bitmap_object.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/pixel_ops.h"
#include "platform/image/png_writer.h"

using namespace gdi_internal;

namespace devgdi {
namespace {

const BitmapObject* BitmapOf(HBITMAP handle) {
  return static_cast<const BitmapObject*>(LiveGdiObject(handle, GdiKind::Bitmap));
}

uint32_t PixelOf(const BitmapObject* bitmap, int x, int y) {
  if (!bitmap || x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height) return 0xFFFFFFFFu;
  return RawToRgb(*bitmap, ReadRaw(*bitmap, x, y));
}

std::vector<uint32_t> PixelsOf(const BitmapObject* bitmap) {
  std::vector<uint32_t> pixels;
  if (!bitmap) return pixels;
  pixels.resize(static_cast<size_t>(bitmap->width) * bitmap->height);
  for (int y = 0; y < bitmap->height; ++y) {
    for (int x = 0; x < bitmap->width; ++x) pixels[static_cast<size_t>(y) * bitmap->width + x] = PixelOf(bitmap, x, y);
  }
  return pixels;
}

bool WritePng(const BitmapObject* bitmap, const std::string& path) {
  if (!bitmap) return false;
  std::vector<uint32_t> pixels = PixelsOf(bitmap);
  return image::WritePngRgb(path, pixels.data(), bitmap->width, bitmap->height, bitmap->width);
}

}  // namespace

uint32_t BitmapPixelRgb(HBITMAP bitmap, int x, int y) { return PixelOf(BitmapOf(bitmap), x, y); }

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
  const uint32_t rgb = BitmapPixelRgb(bitmap, x, y);
  return rgb == 0xFFFFFFFFu ? CLR_INVALID : RgbToColour(rgb);
}

uint32_t DcPixelRgb(HDC handle, int x, int y) {
  DeviceContext* dc = LiveDeviceContext(handle);
  if (!dc) return 0xFFFFFFFFu;
  return PixelOf(dc->target, x + dc->OffsetX(), y + dc->OffsetY());
}

std::vector<uint32_t> BitmapPixelsRgb(HBITMAP handle, int* width, int* height) {
  const BitmapObject* bitmap = BitmapOf(handle);
  if (width) *width = bitmap ? bitmap->width : 0;
  if (height) *height = bitmap ? bitmap->height : 0;
  return PixelsOf(bitmap);
}

bool WriteBitmapPng(HBITMAP bitmap, const std::string& path) { return WritePng(BitmapOf(bitmap), path); }

bool WriteDcPng(HDC handle, const std::string& path) {
  DeviceContext* dc = LiveDeviceContext(handle);
  return dc && WritePng(dc->target, path);
}

}  // namespace devgdi
