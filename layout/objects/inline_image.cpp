// InlineImage: the head of the picture decoded for its size, drawing
// through the surface, and the tappable rule.
#include "layout/objects/inline_image.h"

#include "layout/drawing/drawing_surface.h"
#include "layout/styles/link_action.h"
#include "storage/pictures/image_decoder.h"

InlineImage::~InlineImage() {
  if (link_ != nullptr) link_->Release();
}

bool InlineImage::Decode() {
  const uint8_t* data = nullptr;
  uint32_t length = 0;
  if (!LockData(&data, &length)) return false;
  ImageDecoder decoder;
  bool known = data != nullptr && (decoder.Load(data, length, true) || decoder.IsDecodable());
  if (known) {
    size_ = Size{decoder.Width(), decoder.Height()};
    flags_ = static_cast<uint8_t>((flags_ & ~(kFormatMask | kNeedsDecode)) |
                                  (decoder.Kind() == kImageKindGif ? kFormatGif : kFormatBmp));
  }
  UnlockData();
  return known;
}

bool InlineImage::Draw(DrawingSurface* surface, const Rect& box, const Rect* clip) {
  const uint8_t* data = nullptr;
  uint32_t length = 0;
  if (!LockData(&data, &length)) return false;
  bool drawn = surface->DrawPicture(box, clip != nullptr ? *clip : box, data, length);
  UnlockData();
  return drawn;
}

bool InlineImage::GetSize(Size* size, bool* scalable, bool* secondFlag) {
  *size = size_;
  *scalable = true;
  *secondFlag = true;
  const uint8_t* data = nullptr;
  uint32_t length = 0;
  bool held = LockData(&data, &length);
  if (held) UnlockData();
  return held;
}

void InlineImage::SetLink(const Size& placedSize, LinkAction* link) {
  placedSize_ = placedSize;
  if (link != nullptr) link->AddRef();
  if (link_ != nullptr) link_->Release();
  link_ = link;
  bool smaller = placedSize.width < size_.width || placedSize.height < size_.height;
  if (link == nullptr && smaller) {
    flags_ |= kTappable;
  } else {
    flags_ &= static_cast<uint8_t>(~kTappable);
  }
}

void InlineImage::SetBox(const Rect& placed, uint8_t alignment) {
  placed_ = placed;
  flags_ = static_cast<uint8_t>((flags_ & 0x3F) | ((alignment & 0x03) << 6));
}
