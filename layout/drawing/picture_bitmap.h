// PictureBitmap: a decoded picture kept as a device bitmap (and a scaled
// copy of it) for the image view, so that the picture is decoded once and
// then only blitted or stretched.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "platform/types/gdi_handles.h"

class DrawingSurface;
class InlineObject;

class PictureBitmap {
 public:
  explicit PictureBitmap(DrawingSurface* surface) : surface_(surface) {}
  ~PictureBitmap() { ReleasePicture(); }
  PictureBitmap(const PictureBitmap&) = delete;
  PictureBitmap& operator=(const PictureBitmap&) = delete;

  // Decodes the picture's bytes, row by row, into a bitmap of its full
  // size; nothing is built when the picture draws itself, has no bytes or
  // cannot be decoded. True when the bitmap was built.
  bool FromPicture(InlineObject* picture);
  // A copy scaled down to the target size; none when the target is larger
  // than the picture in either direction. True when made.
  bool CreateScaled(const Size& source, const Size& target);
  void ReleasePicture();
  void ReleaseScaled();

  HDC PictureDC() const { return pictureDc_; }
  HDC ScaledDC() const { return scaledDc_; }
  const Size& PictureSize() const { return size_; }

 private:
  static void OnRow(void* context, const uint8_t* indices, uint32_t count, uint32_t firstColumn, int32_t row,
                    const uint8_t* table);

  DrawingSurface* surface_;
  HDC pictureDc_ = nullptr;
  HDC scaledDc_ = nullptr;
  HDC rowDc_ = nullptr;
  uint8_t* rowBits_ = nullptr;
  HBITMAP picture_ = nullptr;
  HGDIOBJ picturePrevious_ = nullptr;
  HBITMAP scaled_ = nullptr;
  HGDIOBJ scaledPrevious_ = nullptr;
  Size size_;
};
