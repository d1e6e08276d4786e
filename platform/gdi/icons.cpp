// Icons: CreateIconIndirect, DestroyIcon, GetIconInfo and DrawIconEx.
#include <algorithm>
#include <new>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/icon_object.h"
#include "platform/gdi/pixel_ops.h"
#include "platform/gdi/row_converter.h"

using namespace gdi_internal;

IconObject::IconObject() { RegisterGdiHandle(this, GdiKind::Icon, true); }

IconObject::~IconObject() {
  delete colour;
  delete mask;
  UnregisterGdiHandle(this, GdiKind::Icon, true);
}

IconObject* LiveIcon(HICON icon) {
  GdiKind kind;
  return LiveHandleKind(icon, &kind) && kind == GdiKind::Icon ? icon : nullptr;
}

BitmapObject* CopyBitmap(const BitmapObject& source, const PixelFormat* format) {
  const PixelFormat to = format ? *format : source.format;
  BitmapObject* copy =
      NewBitmapObject(to, source.width, source.height, false, true, source.palette, source.paletteSize, false);
  if (!copy) return nullptr;
  // Black text and white background: a monochrome copy keeps 0 and 1, a
  // colour source becomes 1 only where it is white.
  RowConverter converter(source, *copy, RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255));
  std::vector<uint32_t> row(static_cast<size_t>(source.width));
  for (int y = 0; y < source.height; ++y) {
    ReadRow(source, 0, y, source.width, row.data());
    converter.Convert(row.data(), source.width);
    WriteRow(*copy, 0, y, source.width, row.data());
  }
  return copy;
}

IconObject* NewIcon(const BitmapObject* colour, const BitmapObject* mask) {
  if (!mask) return nullptr;
  if (colour && (colour->width != mask->width || colour->height > mask->height)) return nullptr;
  auto* icon = new (std::nothrow) IconObject;
  if (!icon) return nullptr;
  const PixelFormat mono = PixelFormat::Mono1;
  try {
    icon->mask = CopyBitmap(*mask, &mono);
    icon->colour = colour ? CopyBitmap(*colour) : nullptr;
  } catch (...) {
  }
  if (!icon->mask || (colour && !icon->colour)) {
    delete icon;
    return nullptr;
  }
  icon->width = mask->width;
  icon->height = colour ? colour->height : mask->height / 2;
  return icon;
}

HICON CreateIconIndirect(ICONINFO* info) {
  Journal("CreateIconIndirect()");
  if (!info) return nullptr;
  auto* mask = static_cast<BitmapObject*>(LiveGdiObject(info->hbmMask, GdiKind::Bitmap));
  auto* colour = static_cast<BitmapObject*>(LiveGdiObject(info->hbmColor, GdiKind::Bitmap));
  if (!mask || (info->hbmColor && !colour)) return nullptr;
  IconObject* icon = NewIcon(colour, mask);
  if (!icon) return nullptr;
  icon->isIcon = info->fIcon != FALSE;
  icon->hotspotX = info->xHotspot;
  icon->hotspotY = info->yHotspot;
  return icon;
}

BOOL DestroyIcon(HICON handle) {
  Journal("DestroyIcon()");
  IconObject* icon = LiveIcon(handle);
  if (!icon) return FALSE;
  delete icon;
  return TRUE;
}

BOOL GetIconInfo(HICON handle, ICONINFO* info) {
  IconObject* icon = LiveIcon(handle);
  if (!icon || !info) return FALSE;
  // The caller owns (and deletes) the copies, as on the device.
  auto handOver = [](const BitmapObject* b) -> HBITMAP {
    if (!b) return nullptr;
    BitmapObject* copy = NewBitmapObject(b->format, b->width, b->height, false, true, b->palette, b->paletteSize);
    if (copy) std::copy(b->buffer, b->buffer + static_cast<size_t>(b->stride) * b->height, copy->buffer);
    return copy;
  };
  HBITMAP mask = handOver(icon->mask);
  HBITMAP colour = handOver(icon->colour);
  if (!mask || (icon->colour && !colour)) {
    if (mask) DeleteObject(mask);
    if (colour) DeleteObject(colour);
    return FALSE;
  }
  info->fIcon = icon->isIcon ? TRUE : FALSE;
  info->xHotspot = icon->hotspotX;
  info->yHotspot = icon->hotspotY;
  info->hbmMask = mask;
  info->hbmColor = colour;
  return TRUE;
}

BOOL DrawIconEx(HDC handle, int x, int y, HICON iconHandle, int width, int height, UINT, HBRUSH, UINT flags) {
  Journal("DrawIconEx(%d,%d,%d,%d,%u)", x, y, width, height, flags);
  DeviceContext* dc = Dc(handle);
  IconObject* icon = LiveIcon(iconHandle);
  if (!dc || !icon) return FALSE;
  if (width <= 0) width = icon->width;
  if (height <= 0) height = icon->height;
  const int imageTop = icon->colour ? 0 : icon->height;
  const BitmapObject* image = icon->colour ? icon->colour : icon->mask;
  if ((flags & DI_NORMAL) == DI_NORMAL) {
    // The image where the mask is 0; the target shows through elsewhere.
    return BlitFromBitmap(dc, x, y, width, height, image, 0, imageTop, icon->width, icon->height, 0xCC, icon->mask, 0,
                          -imageTop)
               ? TRUE
               : FALSE;
  }
  if (flags & DI_IMAGE) {
    return BlitFromBitmap(dc, x, y, width, height, image, 0, imageTop, icon->width, icon->height, 0xCC) ? TRUE
                                                                                                       : FALSE;
  }
  if (flags & DI_MASK) {
    const COLORREF text = dc->textColor, bk = dc->bkColor;
    dc->textColor = RGB(0, 0, 0);
    dc->bkColor = RGB(255, 255, 255);
    const bool ok = BlitFromBitmap(dc, x, y, width, height, icon->mask, 0, 0, icon->width, icon->height, 0xCC);
    dc->textColor = text;
    dc->bkColor = bk;
    return ok ? TRUE : FALSE;
  }
  return FALSE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) { return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL); }
