// IconImage: loading an icon of the group's right size and drawing it.
#include "layout/objects/icon_image.h"

#include <new>

#include "foundation/system/window_utilities.h"
#include "layout/drawing/drawing_surface.h"
#include "platform/modules/modules.h"
#include "platform/resources/resources.h"

namespace {
constexpr uint32_t kGroupHeaderBytes = 6;
constexpr uint32_t kGroupEntryBytes = 14;
}  // namespace

IconImage* IconImage::Create(uint32_t iconId) {
  IconImage* image = new (std::nothrow) IconImage();
  if (image == nullptr) return nullptr;
  if (!image->Load(iconId)) {
    image->Release();
    return nullptr;
  }
  return image;
}

IconImage::~IconImage() {
  if (icon_ != nullptr) DestroyIcon(icon_);
}

bool IconImage::Load(uint32_t iconId) {
  HMODULE module = GetModuleHandleW(nullptr);
  LPCWSTR name = MAKEINTRESOURCEW(static_cast<WORD>(iconId));
  HRSRC group = FindResourceW(module, name, RT_GROUP_ICON);
  if (group != nullptr) {
    const uint8_t* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module, group)));
    uint32_t size = SizeofResource(module, group);
    if (bytes != nullptr && size >= kGroupHeaderBytes) {
      uint32_t count = bytes[4] | (bytes[5] << 8);
      uint32_t entry = count >= 2 && IsHighDpi(nullptr) ? 1 : 0;
      // Only entries that lie inside the resource are read.
      if (count > entry && kGroupHeaderBytes + (entry + 1) * kGroupEntryBytes <= size) {
        const uint8_t* e = bytes + kGroupHeaderBytes + entry * kGroupEntryBytes;
        size_.width = e[0] != 0 ? e[0] : 256;
        size_.height = e[1] != 0 ? e[1] : 256;
      }
    }
  }
  icon_ = static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, size_.width, size_.height, 0));
  if (icon_ == nullptr) size_ = Size{};
  return icon_ != nullptr;
}

bool IconImage::Draw(DrawingSurface* surface, const Rect& box, const Rect* clip) {
  if (icon_ == nullptr) return false;
  return surface->DrawIcon(box, clip != nullptr ? *clip : box, icon_, size_);
}

bool IconImage::GetSize(Size* size, bool* scalable, bool* secondFlag) {
  *size = size_;
  *scalable = true;
  *secondFlag = true;
  return icon_ != nullptr;
}

bool IconImage::LockData(const uint8_t** data, uint32_t* length) {
  // Nothing to lock: the icon is held whole.
  *data = nullptr;
  *length = 0;
  return true;
}
