// An image list: images of one size, each a colour bitmap with, for a
// masked list, a monochrome mask (1 = transparent).
#pragma once

#include <vector>

#include "platform/gdi/bitmap_object.h"
#include "platform/gdi/gdi.h"

struct ImageListObject {
  ImageListObject();
  ~ImageListObject();
  ImageListObject(const ImageListObject&) = delete;
  ImageListObject& operator=(const ImageListObject&) = delete;

  struct Image {
    BitmapObject* colour = nullptr;  // uncounted, owned
    BitmapObject* mask = nullptr;    // uncounted, owned; null without ILC_MASK
  };
  int width = 0;
  int height = 0;
  UINT flags = 0;
  PixelFormat format = PixelFormat::Rgb565;
  COLORREF bkColor = CLR_NONE;
  std::vector<Image> images;
};
