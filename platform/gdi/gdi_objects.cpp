// Pens, brushes and stock objects; selecting, deleting and describing any
// graphics object.
#include <cstring>
#include <mutex>
#include <new>

#include "platform/gdi/bitmap_object.h"
#include "platform/gdi/clip_rects.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/gdi_objects.h"

using namespace gdi_internal;

namespace {

struct StockObjects {
  BrushObject* brushes[6] = {};  // WHITE_BRUSH .. NULL_BRUSH
  PenObject* pens[3] = {};       // WHITE_PEN .. NULL_PEN
  BitmapObject* bitmap = nullptr;
};

BrushObject* MakeStockBrush(UINT style, COLORREF colour) {
  auto* brush = new BrushObject(false);
  brush->stock = true;
  brush->style = style;
  brush->colour = colour;
  return brush;
}

PenObject* MakeStockPen(int style, COLORREF colour) {
  auto* pen = new PenObject(false);
  pen->stock = true;
  pen->style = style;
  pen->colour = colour;
  return pen;
}

// Made once, at first use, and kept for the life of the process.
const StockObjects& Stock() {
  static const StockObjects* stock = [] {
    auto* s = new StockObjects;
    s->brushes[WHITE_BRUSH] = MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
    s->brushes[LTGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(192, 192, 192));
    s->brushes[GRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(128, 128, 128));
    s->brushes[DKGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(64, 64, 64));
    s->brushes[BLACK_BRUSH] = MakeStockBrush(BS_SOLID, RGB(0, 0, 0));
    s->brushes[NULL_BRUSH] = MakeStockBrush(BS_NULL, 0);
    s->pens[WHITE_PEN - WHITE_PEN] = MakeStockPen(PS_SOLID, RGB(255, 255, 255));
    s->pens[BLACK_PEN - WHITE_PEN] = MakeStockPen(PS_SOLID, RGB(0, 0, 0));
    s->pens[NULL_PEN - WHITE_PEN] = MakeStockPen(PS_NULL, 0);
    s->bitmap = NewBitmapObject(PixelFormat::Mono1, 1, 1, false, true, nullptr, 0, false);
    s->bitmap->stock = true;
    return s;
  }();
  return *stock;
}

HGDIOBJ SwapSelected(HGDIOBJ* slot, GdiObject* object) {
  HGDIOBJ old = *slot;
  if (old && old->selectCount > 0) --old->selectCount;
  *slot = object;
  ++object->selectCount;
  return old;
}

}  // namespace

namespace gdi_internal {

PenObject* StockPen(int index) { return Stock().pens[index - WHITE_PEN]; }
BrushObject* StockBrush(int index) { return Stock().brushes[index]; }
BitmapObject* StockBitmap() { return Stock().bitmap; }

const PenObject* DrawingPen(DeviceContext* dc) {
  auto* pen = static_cast<const PenObject*>(dc->pen);
  return pen && pen->style != PS_NULL ? pen : nullptr;
}

const BrushObject* DrawingBrush(DeviceContext* dc) {
  auto* brush = static_cast<const BrushObject*>(dc->brush);
  return brush && brush->style != BS_NULL ? brush : nullptr;
}

}  // namespace gdi_internal

int PenObject::Describe(int size, void* out) const {
  if (!out) return static_cast<int>(sizeof(LOGPEN));
  if (size < static_cast<int>(sizeof(LOGPEN))) return 0;
  LOGPEN description{static_cast<UINT>(style), POINT{width, 0}, colour};
  std::memcpy(out, &description, sizeof description);
  return static_cast<int>(sizeof description);
}

int BrushObject::Describe(int size, void* out) const {
  if (!out) return static_cast<int>(sizeof(LOGBRUSH));
  if (size < static_cast<int>(sizeof(LOGBRUSH))) return 0;
  LOGBRUSH description{style, colour, 0};
  std::memcpy(out, &description, sizeof description);
  return static_cast<int>(sizeof description);
}

int RegionObject::Describe(int, void*) const { return 0; }

HPEN CreatePen(int style, int width, COLORREF colour) {
  Journal("CreatePen(%d,%d,0x%06x)", style, width, colour);
  if (style != PS_SOLID && style != PS_DASH && style != PS_NULL) return nullptr;
  auto* pen = new (std::nothrow) PenObject;
  if (!pen) return nullptr;
  pen->style = style;
  pen->width = width < 1 ? 1 : width;
  pen->colour = colour & 0xFFFFFF;
  return pen;
}

HPEN CreatePenIndirect(const LOGPEN* description) {
  if (!description) return nullptr;
  return CreatePen(static_cast<int>(description->lopnStyle), description->lopnWidth.x, description->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  Journal("CreateSolidBrush(0x%06x)", colour);
  auto* brush = new (std::nothrow) BrushObject;
  if (!brush) return nullptr;
  brush->style = BS_SOLID;
  brush->colour = colour & 0xFFFFFF;
  return brush;
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* description) {
  if (!description) return nullptr;
  if (description->lbStyle == BS_SOLID) return CreateSolidBrush(description->lbColor);
  if (description->lbStyle != BS_NULL) return nullptr;
  Journal("CreateBrushIndirect(null)");
  auto* brush = new (std::nothrow) BrushObject;
  if (brush) brush->style = BS_NULL;
  return brush;
}

HGDIOBJ GetStockObject(int index) {
  if (index >= WHITE_BRUSH && index <= NULL_BRUSH) return Stock().brushes[index];
  if (index >= WHITE_PEN && index <= NULL_PEN) return Stock().pens[index - WHITE_PEN];
  if (index == SYSTEM_FONT) return StockFont(index);
  return nullptr;
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ handleObject) {
  DeviceContext* dc = Dc(handle);
  GdiObject* object = LiveGdiObject(handleObject);
  Journal("SelectObject(%d)", object ? static_cast<int>(object->kind) : -1);
  if (!dc || !object) return nullptr;
  switch (object->kind) {
    case GdiKind::Pen: return SwapSelected(&dc->pen, object);
    case GdiKind::Brush: return SwapSelected(&dc->brush, object);
    case GdiKind::Font: return SwapSelected(&dc->font, object);
    case GdiKind::Bitmap: {
      auto* bitmap = static_cast<BitmapObject*>(object);
      if (dc->kind != DcKind::Memory) return nullptr;
      if (bitmap->selectedInto && bitmap->selectedInto != dc) return nullptr;
      // A surface bitmap belongs to the platform; only the stock one (the
      // memory DC's first) may be selected back.
      if (bitmap->stock && bitmap != StockBitmap()) return nullptr;
      HGDIOBJ old = dc->bitmap;
      if (old) {
        auto* oldBitmap = static_cast<BitmapObject*>(old);
        if (oldBitmap->selectedInto == dc) oldBitmap->selectedInto = nullptr;
      }
      dc->bitmap = bitmap;
      if (!bitmap->stock) bitmap->selectedInto = dc;
      dc->SetTarget(bitmap);
      return old;
    }
    case GdiKind::Region:
      // The device answers the region's kind, cast to a handle.
      return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(SelectClipRgn(handle, object)));
    default: return nullptr;
  }
}

BOOL DeleteObject(HGDIOBJ handle) {
  GdiObject* object = LiveGdiObject(handle);
  Journal("DeleteObject(%d)", object ? static_cast<int>(object->kind) : -1);
  if (!object) return FALSE;
  if (object->stock) return TRUE;
  if (object->selectCount > 0) return FALSE;
  if (object->kind == GdiKind::Bitmap && static_cast<BitmapObject*>(object)->selectedInto) return FALSE;
  delete object;
  return TRUE;
}

int GetObjectW(HGDIOBJ handle, int size, LPVOID out) {
  GdiObject* object = LiveGdiObject(handle);
  if (!object || size < 0) return 0;
  return object->Describe(size, out);
}

DWORD GetObjectType(HGDIOBJ handle) {
  if (DeviceContext* dc = LiveDeviceContext(reinterpret_cast<HDC>(handle))) {
    return dc->kind == DcKind::Memory ? OBJ_MEMDC : OBJ_DC;
  }
  GdiObject* object = LiveGdiObject(handle);
  if (!object) return 0;
  switch (object->kind) {
    case GdiKind::Pen: return OBJ_PEN;
    case GdiKind::Brush: return OBJ_BRUSH;
    case GdiKind::Font: return OBJ_FONT;
    case GdiKind::Bitmap: return OBJ_BITMAP;
    case GdiKind::Region: return OBJ_REGION;
    case GdiKind::Palette: return OBJ_PAL;
    default: return 0;
  }
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type) {
  DeviceContext* dc = Dc(handle);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->pen;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_FONT: return dc->font;
    case OBJ_BITMAP: return dc->bitmap;
    default: return nullptr;
  }
}
