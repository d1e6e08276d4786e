// InlineImage: the head of the picture decoded for its size, the bytes
// lent by the stream, drawing through the surface, and the tappable rule.
#include "layout/objects/inline_image.h"

#include <new>

#include "layout/drawing/drawing_surface.h"
#include "layout/styles/link_action.h"
#include "platform/memory/allocator.h"
#include "storage/pictures/image_decoder.h"

InlineImage* InlineImage::Create() {
  if (DeviceAllocationShouldFail()) return nullptr;
  return new (std::nothrow) InlineImage();
}

InlineImage::~InlineImage() {
  if (locked_ != nullptr) UnlockData();
  if (link_ != nullptr) link_->Release();
}

bool InlineImage::Load(DocumentStream* stream) {
  stream_.Assign(stream);
  return Decode();
}

bool InlineImage::Decode() {
  const uint8_t* data = nullptr;
  uint32_t length = 0;
  if (!LockData(&data, &length)) {
    stream_.Reset();
    return false;
  }
  ImageDecoder decoder;
  bool known = data != nullptr && (decoder.Load(data, length, true) || decoder.IsDecodable());
  if (known) {
    size_ = Size{decoder.Width(), decoder.Height()};
    flags_ = static_cast<uint8_t>((flags_ & ~(kFormatMask | kNeedsDecode)) |
                                  (decoder.Kind() == kImageKindGif ? kFormatGif : kFormatBmp));
  }
  UnlockData();
  if (!known) stream_.Reset();
  return known;
}

bool InlineImage::LockData(const uint8_t** data, uint32_t* length) {
  *data = nullptr;
  *length = 0;
  DocumentStream* stream = stream_.Get();
  if (stream == nullptr) return false;
  if (locked_ == nullptr) {
    const uint8_t* memory = nullptr;
    uint32_t size = 0;
    if (stream->GetMemory(&memory, &size) && memory != nullptr) {
      locked_ = memory;
      lockedLength_ = size;
    } else {
      // No memory of its own: a copy, as long as the stream says it is.
      size = stream->GetLength();
      if (size == 0) return false;
      copy_ = DeviceNewArray<uint8_t>(size);
      if (copy_ == nullptr) return false;
      uint32_t read = 0;
      if (!stream->ReadAt(0, copy_, size, &read) || read == 0) {
        delete[] copy_;
        copy_ = nullptr;
        return false;
      }
      locked_ = copy_;
      lockedLength_ = read;
    }
  }
  *data = locked_;
  *length = lockedLength_;
  return true;
}

void InlineImage::UnlockData() {
  if (locked_ == nullptr) return;
  if (copy_ != nullptr) {
    delete[] copy_;
    copy_ = nullptr;
  } else if (stream_.Get() != nullptr) {
    stream_->ReleaseMemory(locked_, lockedLength_);
  }
  locked_ = nullptr;
  lockedLength_ = 0;
}

void InlineImage::SetAddress(const SharedWideString& address, const SharedWideString& fragment) {
  address_ = address;
  fragment_ = fragment;
}

bool InlineImage::MatchesUrl(const WCHAR* address) {
  if (address_.length == 0) return false;
  if (address == nullptr) return true;
  const WCHAR* own = address_.Chars();
  uint32_t i = 0;
  for (; i < address_.length; ++i)
    if (address[i] != own[i]) return false;
  return address[i] == 0;
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
  if (stream_.Get() != nullptr) return true;
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
