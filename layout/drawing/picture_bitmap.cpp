// PictureBitmap: a picture decoded into a device bitmap one row at a time
// (through a one-row DIB section, so no full-size intermediate copy), and
// its scaled copy.
#include "layout/drawing/picture_bitmap.h"

#include <cstring>
#include <new>

#include "layout/drawing/drawing_surface.h"
#include "layout/objects/inline_object.h"
#include "platform/gdi/gdi.h"
#include "storage/pictures/image_decoder.h"

namespace {

struct RowHeader {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

void DropBitmap(HDC* dc, HBITMAP* bitmap, HGDIOBJ* previous) {
  if (*dc != nullptr && *previous != nullptr) SelectObject(*dc, *previous);
  if (*bitmap != nullptr) DeleteObject(*bitmap);
  if (*dc != nullptr) DeleteDC(*dc);
  *dc = nullptr;
  *bitmap = nullptr;
  *previous = nullptr;
}

}  // namespace

void PictureBitmap::ReleasePicture() {
  DropBitmap(&pictureDc_, &picture_, &picturePrevious_);
  size_ = Size{};
  ReleaseScaled();
}

void PictureBitmap::ReleaseScaled() { DropBitmap(&scaledDc_, &scaled_, &scaledPrevious_); }

void PictureBitmap::OnRow(void* context, const uint8_t* indices, uint32_t count, uint32_t firstColumn, int32_t row,
                          const uint8_t* /*table*/) {
  PictureBitmap* self = static_cast<PictureBitmap*>(context);
  if (row < 0 || row >= self->size_.height || firstColumn >= static_cast<uint32_t>(self->size_.width)) return;
  uint32_t room = static_cast<uint32_t>(self->size_.width) - firstColumn;
  if (count > room) count = room;
  std::memcpy(self->rowBits_ + firstColumn, indices, count);
  BitBlt(self->pictureDc_, static_cast<int>(firstColumn), row, static_cast<int>(count), 1, self->rowDc_,
         static_cast<int>(firstColumn), 0, SRCCOPY);
}

bool PictureBitmap::FromPicture(InlineObject* picture) {
  ReleasePicture();
  if (picture == nullptr || picture->DrawsItself(surface_)) return false;
  const uint8_t* data = nullptr;
  uint32_t length = 0;
  if (!picture->LockData(&data, &length) || data == nullptr) return false;
  ImageDecoder decoder(data, length);
  bool built = false;
  RowHeader* info = decoder.IsDecodable() ? new (std::nothrow) RowHeader{} : nullptr;
  if (info != nullptr) {
    size_ = Size{decoder.Width(), decoder.Height()};
    uint32_t colours = decoder.GetPalette32(reinterpret_cast<uint8_t*>(info->colours));
    info->header.biSize = sizeof(BITMAPINFOHEADER);
    info->header.biWidth = size_.width;
    info->header.biHeight = 1;
    info->header.biPlanes = 1;
    info->header.biBitCount = 8;
    info->header.biCompression = BI_RGB;
    info->header.biClrUsed = colours;
    surface_->BeginDraw(false);
    HDC dc = surface_->CurrentDC();
    void* bits = nullptr;
    HBITMAP row = nullptr;
    HGDIOBJ rowPrevious = nullptr;
    if (dc != nullptr && size_.width > 0 && size_.height > 0) {
      rowDc_ = CreateCompatibleDC(dc);
      row = CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(info), DIB_RGB_COLORS, &bits, nullptr, 0);
      pictureDc_ = CreateCompatibleDC(dc);
      picture_ = ::CreateCompatibleBitmap(dc, size_.width, size_.height);
    }
    if (rowDc_ != nullptr && row != nullptr && bits != nullptr && pictureDc_ != nullptr && picture_ != nullptr) {
      rowBits_ = static_cast<uint8_t*>(bits);
      rowPrevious = SelectObject(rowDc_, row);
      picturePrevious_ = SelectObject(pictureDc_, picture_);
      built = decoder.SetOutput(static_cast<uint16_t>(size_.width), static_cast<uint16_t>(size_.height), 8, nullptr,
                                0, &PictureBitmap::OnRow, this, false) == kImageOk &&
              decoder.Decode(0, 0) == kImageOk;
      SelectObject(rowDc_, rowPrevious);
    }
    if (rowDc_ != nullptr) DeleteDC(rowDc_);
    if (row != nullptr) DeleteObject(row);
    rowDc_ = nullptr;
    rowBits_ = nullptr;
    surface_->EndDraw();
    delete info;
    if (!built) ReleasePicture();
  }
  picture->UnlockData();
  return built;
}

bool PictureBitmap::CreateScaled(const Size& source, const Size& target) {
  ReleaseScaled();
  if (pictureDc_ == nullptr || target.width <= 0 || target.height <= 0) return false;
  if (source.width < target.width || source.height < target.height) return false;
  scaledDc_ = CreateCompatibleDC(pictureDc_);
  scaled_ = scaledDc_ != nullptr ? ::CreateCompatibleBitmap(pictureDc_, target.width, target.height) : nullptr;
  if (scaled_ == nullptr) {
    ReleaseScaled();
    return false;
  }
  scaledPrevious_ = SelectObject(scaledDc_, scaled_);
  if (!StretchBlt(scaledDc_, 0, 0, target.width, target.height, pictureDc_, 0, 0, source.width, source.height,
                  SRCCOPY)) {
    ReleaseScaled();
    return false;
  }
  return true;
}
