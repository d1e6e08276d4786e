// An icon (HICON): a colour image and a monochrome mask of the same size,
// both owned copies. Where the mask has 1 the icon is transparent. An
// icon made from a mask alone (no colour bitmap) has a mask of twice the
// height: the upper half the AND mask, the lower half the image.
#pragma once

#include "platform/gdi/bitmap_object.h"
#include "platform/types/gdi_handles.h"

struct IconObject {
  IconObject();
  ~IconObject();
  IconObject(const IconObject&) = delete;
  IconObject& operator=(const IconObject&) = delete;

  int width = 0;
  int height = 0;
  bool isIcon = true;
  DWORD hotspotX = 0, hotspotY = 0;
  BitmapObject* colour = nullptr;  // uncounted, owned
  BitmapObject* mask = nullptr;    // uncounted, owned, monochrome
};

// An icon from copies of the two bitmaps (the colour one may be null);
// null when a bitmap is missing or memory runs out. Registered and counted
// as GdiKind::Icon.
IconObject* NewIcon(const BitmapObject* colour, const BitmapObject* mask);
IconObject* LiveIcon(HICON icon);
// A copy of `source`, uncounted, in `format` (the same when null).
BitmapObject* CopyBitmap(const BitmapObject& source, const PixelFormat* format = nullptr);
