// Device contexts: their target, origins and clip, and the two pixel
// writers the font engine draws text with.
#include "platform/gdi/device_context.h"

#include <atomic>
#include <new>

#include "platform/gdi/bitmap_object.h"
#include "platform/gdi/clip_rects.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/pixel_ops.h"

using namespace gdi_internal;

namespace {
std::atomic<StockFontProvider> stockFonts{nullptr};
}

void SetStockFontProvider(StockFontProvider provider) { stockFonts.store(provider); }

namespace gdi_internal {
HGDIOBJ StockFont(int index) {
  StockFontProvider provider = stockFonts.load();
  return provider ? provider(index) : nullptr;
}
}  // namespace gdi_internal

DeviceContext::DeviceContext(DcKind kind) : kind(kind) { RegisterGdiHandle(this, GdiKind::DeviceContext, true); }

DeviceContext::~DeviceContext() { UnregisterGdiHandle(this, GdiKind::DeviceContext, true); }

void DeviceContext::SetTarget(BitmapObject* bitmap) {
  target = bitmap;
  clipValid_ = false;
}

void DeviceContext::SetDeviceOrigin(POINT origin) {
  deviceOrigin = origin;
  clipValid_ = false;
}

void DeviceContext::SetSystemClip(const RECT* rects, size_t count) {
  hasSystemClip = true;
  try {
    systemClip.assign(rects, rects + count);
  } catch (...) {
    systemClip.clear();
  }
  clipValid_ = false;
}

void DeviceContext::ClearSystemClip() {
  hasSystemClip = false;
  systemClip.clear();
  clipValid_ = false;
}

void DeviceContext::SetClip(std::vector<RECT> rects) {
  hasClip = true;
  clip = std::move(rects);
  clipValid_ = false;
}

void DeviceContext::ClearClip() {
  hasClip = false;
  clip.clear();
  clipValid_ = false;
}

const std::vector<RECT>& DeviceContext::EffectiveClip() {
  if (!clipValid_) RebuildClip();
  return effective_;
}

void DeviceContext::RebuildClip() {
  clipValid_ = true;
  effective_.clear();
  if (!target) return;
  try {
    effective_.push_back(RECT{0, 0, target->width, target->height});
    if (hasSystemClip) IntersectLists(std::vector<RECT>(effective_), systemClip, &effective_);
    if (hasClip) {
      std::vector<RECT> shifted;
      shifted.reserve(clip.size());
      for (const RECT& r : clip) shifted.push_back(RectOffset(r, deviceOrigin.x, deviceOrigin.y));
      IntersectLists(std::vector<RECT>(effective_), shifted, &effective_);
    }
  } catch (...) {
    effective_.clear();
  }
}

void DeviceContext::NoteChanged() {
  if (target) ++target->changeCount;
}

DeviceContext* NewDeviceContext(DcKind kind) {
  auto* dc = new (std::nothrow) DeviceContext(kind);
  if (!dc) return nullptr;
  dc->pen = StockPen(BLACK_PEN);
  dc->brush = StockBrush(WHITE_BRUSH);
  dc->font = StockFont(SYSTEM_FONT);
  if (dc->pen) ++dc->pen->selectCount;
  if (dc->brush) ++dc->brush->selectCount;
  if (dc->font) ++dc->font->selectCount;
  if (kind == DcKind::Memory) {
    BitmapObject* stock = StockBitmap();
    dc->bitmap = stock;
    dc->SetTarget(stock);
  }
  return dc;
}

void DestroyDeviceContext(DeviceContext* dc) {
  if (!dc) return;
  for (HGDIOBJ object : {dc->pen, dc->brush, dc->font}) {
    if (object && object->selectCount > 0) --object->selectCount;
  }
  if (dc->bitmap) {
    auto* bitmap = static_cast<BitmapObject*>(dc->bitmap);
    if (bitmap->selectedInto == dc) bitmap->selectedInto = nullptr;
  }
  delete dc;
}

namespace {

// The logical rectangle moved to target coordinates and cut by `extra`.
bool TargetArea(DeviceContext* dc, const RECT& logical, const RECT* extra, RECT* out) {
  RECT r = logical;
  if (extra) r = RectIntersection(r, *extra);
  r = RectOffset(r, dc->OffsetX(), dc->OffsetY());
  *out = r;
  return !RectIsEmpty(r);
}

}  // namespace

void DcFillSolid(DeviceContext* dc, const RECT& rect, COLORREF colour, const RECT* extraClip) {
  if (!dc || !dc->target) return;
  RECT area;
  if (!TargetArea(dc, rect, extraClip, &area)) return;
  BitmapObject& bitmap = *dc->target;
  const uint32_t raw = ColourToRaw(bitmap, colour);
  for (const RECT& clip : dc->EffectiveClip()) {
    RECT r = RectIntersection(area, clip);
    if (RectIsEmpty(r)) continue;
    for (int y = r.top; y < r.bottom; ++y) FillSpan(bitmap, y, r.left, r.right, raw, R2_COPYPEN);
  }
  dc->NoteChanged();
}

void DcBlendCoverage(DeviceContext* dc, int x, int y, const uint8_t* coverage, int width, int height,
                     ptrdiff_t coverageStride, COLORREF colour, const RECT* extraClip) {
  if (!dc || !dc->target || !coverage || width <= 0 || height <= 0) return;
  RECT area;
  if (!TargetArea(dc, RECT{x, y, x + width, y + height}, extraClip, &area)) return;
  BitmapObject& bitmap = *dc->target;
  const uint32_t raw = ColourToRaw(bitmap, colour);
  const uint32_t rgb = ColourToRgb(colour);
  const int originX = x + dc->OffsetX(), originY = y + dc->OffsetY();
  for (const RECT& clip : dc->EffectiveClip()) {
    RECT r = RectIntersection(area, clip);
    if (RectIsEmpty(r)) continue;
    for (int ty = r.top; ty < r.bottom; ++ty) {
      const uint8_t* row = coverage + (ty - originY) * coverageStride;
      for (int tx = r.left; tx < r.right; ++tx) {
        const uint32_t a = row[tx - originX];
        if (a == 0) continue;
        if (a == 255) {
          WriteRaw(bitmap, tx, ty, raw);
          continue;
        }
        const uint32_t under = RawToRgb(bitmap, ReadRaw(bitmap, tx, ty));
        uint32_t mixed = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
          const uint32_t f = (rgb >> shift) & 0xFF, b = (under >> shift) & 0xFF;
          mixed |= ((f * a + b * (255 - a) + 127) / 255) << shift;
        }
        WriteRaw(bitmap, tx, ty, RgbToRaw(bitmap, mixed));
      }
    }
  }
  dc->NoteChanged();
}
