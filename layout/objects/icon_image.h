// IconImage: an icon of the program's resources standing in a page as an
// inline picture (the internal icon addresses of pages and the wide-table
// marks). The image of the group picked is the first one, or the second
// one on a high-resolution screen when the group holds two or more.
#pragma once

#include "layout/objects/inline_object.h"
#include "platform/types/gdi_handles.h"

class IconImage : public InlineObject {
 public:
  // The icon of that resource identifier; null when none could be loaded.
  static IconImage* Create(uint32_t iconId);

  bool Draw(DrawingSurface* surface, const Rect& box, const Rect* clip) override;
  bool GetSize(Size* size, bool* scalable, bool* secondFlag) override;
  bool LockData(const uint8_t** data, uint32_t* length) override;

  HICON Icon() const { return icon_; }
  const Size& IconSize() const { return size_; }

 private:
  IconImage() = default;
  ~IconImage() override;
  bool Load(uint32_t iconId);

  HICON icon_ = nullptr;
  Size size_;
};
