// Image lists: ImageList_Create, Add, AddMasked, ReplaceIcon, Remove, Draw,
// GetIcon and the queries.
#include <new>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/icon_object.h"
#include "platform/gdi/image_list_object.h"
#include "platform/gdi/pixel_ops.h"
#include "platform/gdi/row_converter.h"

using namespace gdi_internal;

ImageListObject::ImageListObject() { RegisterGdiHandle(this, GdiKind::ImageList, true); }

ImageListObject::~ImageListObject() {
  for (Image& image : images) {
    delete image.colour;
    delete image.mask;
  }
  UnregisterGdiHandle(this, GdiKind::ImageList, true);
}

namespace {

ImageListObject* LiveList(HIMAGELIST list) {
  GdiKind kind;
  return LiveHandleKind(list, &kind) && kind == GdiKind::ImageList ? list : nullptr;
}

PixelFormat FormatFor(UINT flags) {
  switch (flags & 0xFE) {
    case ILC_COLOR4:
    case ILC_COLOR8: return PixelFormat::Indexed8;
    case ILC_COLOR24: return PixelFormat::Rgb24;
    case ILC_COLOR32: return PixelFormat::Rgb32;
    case ILC_COLOR16: return PixelFormat::Rgb565;
    default: {
      const int bits = DisplayBitsPerPixel();
      return bits == 8 ? PixelFormat::Indexed8 : bits == 16 ? PixelFormat::Rgb565 : PixelFormat::Rgb32;
    }
  }
}

// Copies a w x h part of `source` at (x, y), scaled to the list's size,
// into a new uncounted bitmap of `format`; a monochrome target takes 1
// where the source has `maskColour` (or where a monochrome source has 1).
BitmapObject* Slice(const BitmapObject& source, int x, int y, int w, int h, PixelFormat format, int width, int height,
                    COLORREF monoKey) {
  BitmapObject* slice = NewBitmapObject(format, width, height, false, true, nullptr, 0, false);
  if (!slice) return nullptr;
  RowConverter converter(source, *slice, monoKey, RGB(0, 0, 0), RGB(255, 255, 255));
  std::vector<uint32_t> row(static_cast<size_t>(width));
  for (int ty = 0; ty < height; ++ty) {
    const int sy = y + static_cast<int>(static_cast<long long>(ty) * h / height);
    for (int tx = 0; tx < width; ++tx) {
      const int sx = x + static_cast<int>(static_cast<long long>(tx) * w / width);
      row[tx] = sx < source.width && sy < source.height ? ReadRaw(source, sx, sy) : 0;
    }
    converter.Convert(row.data(), width);
    WriteRow(*slice, 0, ty, width, row.data());
  }
  return slice;
}

bool Append(ImageListObject* list, BitmapObject* colour, BitmapObject* mask) {
  try {
    list->images.push_back(ImageListObject::Image{colour, mask});
    return true;
  } catch (...) {
    delete colour;
    delete mask;
    return false;
  }
}

}  // namespace

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int) {
  Journal("ImageList_Create(%d,%d,0x%x)", width, height, flags);
  if (width <= 0 || height <= 0) return nullptr;
  auto* list = new (std::nothrow) ImageListObject;
  if (!list) return nullptr;
  list->width = width;
  list->height = height;
  list->flags = flags;
  list->format = FormatFor(flags);
  try {
    if (initial > 0 && initial < 1024) list->images.reserve(static_cast<size_t>(initial));
  } catch (...) {
  }
  return list;
}

BOOL ImageList_Destroy(HIMAGELIST handle) {
  Journal("ImageList_Destroy()");
  ImageListObject* list = LiveList(handle);
  if (!list) return FALSE;
  delete list;
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST handle) {
  ImageListObject* list = LiveList(handle);
  return list ? static_cast<int>(list->images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST handle, int* width, int* height) {
  ImageListObject* list = LiveList(handle);
  if (!list || !width || !height) return FALSE;
  *width = list->width;
  *height = list->height;
  return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST handle, COLORREF colour) {
  ImageListObject* list = LiveList(handle);
  if (!list) return CLR_NONE;
  const COLORREF old = list->bkColor;
  list->bkColor = colour;
  return old;
}

// Adds the images of a strip (its width a multiple of the list's); with a
// masked list, the mask strip (or, from AddMasked, the key colour) gives
// each image's mask. Answers the index of the first image added, or -1.
static int AddStrip(ImageListObject* list, const BitmapObject& image, const BitmapObject* mask, bool keyed,
                    COLORREF key) {
  const int count = image.width / list->width;
  if (count <= 0) return -1;
  const int first = static_cast<int>(list->images.size());
  for (int i = 0; i < count; ++i) {
    const int x = i * list->width;
    BitmapObject* colour = Slice(image, x, 0, list->width, list->height, list->format, list->width, list->height, 0);
    BitmapObject* maskBits = nullptr;
    if (list->flags & ILC_MASK) {
      if (keyed) {
        maskBits = Slice(image, x, 0, list->width, list->height, PixelFormat::Mono1, list->width, list->height, key);
      } else if (mask) {
        maskBits = Slice(*mask, x, 0, list->width, list->height, PixelFormat::Mono1, list->width, list->height,
                         RGB(255, 255, 255));
      } else {
        maskBits = NewBitmapObject(PixelFormat::Mono1, list->width, list->height, false, true, nullptr, 0, false);
      }
    }
    if (!colour || ((list->flags & ILC_MASK) && !maskBits)) {
      delete colour;
      delete maskBits;
      return -1;
    }
    if (keyed && maskBits) {
      // The keyed pixels turn black in the list's copy, as on the device.
      const uint32_t black = RgbToRaw(*colour, 0);
      for (int y = 0; y < list->height; ++y) {
        for (int xx = 0; xx < list->width; ++xx) {
          if (ReadRaw(*maskBits, xx, y)) WriteRaw(*colour, xx, y, black);
        }
      }
    }
    if (!Append(list, colour, maskBits)) return -1;
  }
  return first;
}

int ImageList_Add(HIMAGELIST handle, HBITMAP image, HBITMAP mask) {
  Journal("ImageList_Add()");
  ImageListObject* list = LiveList(handle);
  auto* bitmap = static_cast<BitmapObject*>(LiveGdiObject(image, GdiKind::Bitmap));
  auto* maskBitmap = static_cast<BitmapObject*>(LiveGdiObject(mask, GdiKind::Bitmap));
  if (!list || !bitmap) return -1;
  return AddStrip(list, *bitmap, maskBitmap, false, 0);
}

int ImageList_AddMasked(HIMAGELIST handle, HBITMAP image, COLORREF maskColour) {
  Journal("ImageList_AddMasked(0x%06x)", maskColour);
  ImageListObject* list = LiveList(handle);
  auto* bitmap = static_cast<BitmapObject*>(LiveGdiObject(image, GdiKind::Bitmap));
  if (!list || !bitmap) return -1;
  return AddStrip(list, *bitmap, nullptr, true, maskColour);
}

int ImageList_ReplaceIcon(HIMAGELIST handle, int index, HICON iconHandle) {
  Journal("ImageList_ReplaceIcon(%d)", index);
  ImageListObject* list = LiveList(handle);
  IconObject* icon = LiveIcon(iconHandle);
  if (!list || !icon || index < -1 || index >= static_cast<int>(list->images.size())) return -1;
  const int imageTop = icon->colour ? 0 : icon->height;
  const BitmapObject& image = icon->colour ? *icon->colour : *icon->mask;
  BitmapObject* colour =
      Slice(image, 0, imageTop, icon->width, icon->height, list->format, list->width, list->height, 0);
  BitmapObject* mask = nullptr;
  if (list->flags & ILC_MASK) {
    mask = Slice(*icon->mask, 0, 0, icon->width, icon->height, PixelFormat::Mono1, list->width, list->height,
                 RGB(255, 255, 255));
  }
  if (!colour || ((list->flags & ILC_MASK) && !mask)) {
    delete colour;
    delete mask;
    return -1;
  }
  if (index == -1) {
    if (!Append(list, colour, mask)) return -1;
    return static_cast<int>(list->images.size()) - 1;
  }
  ImageListObject::Image& slot = list->images[static_cast<size_t>(index)];
  delete slot.colour;
  delete slot.mask;
  slot = ImageListObject::Image{colour, mask};
  return index;
}

BOOL ImageList_Remove(HIMAGELIST handle, int index) {
  ImageListObject* list = LiveList(handle);
  if (!list) return FALSE;
  if (index == -1) {
    for (auto& image : list->images) {
      delete image.colour;
      delete image.mask;
    }
    list->images.clear();
    return TRUE;
  }
  if (index < 0 || index >= static_cast<int>(list->images.size())) return FALSE;
  delete list->images[static_cast<size_t>(index)].colour;
  delete list->images[static_cast<size_t>(index)].mask;
  list->images.erase(list->images.begin() + index);
  return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST handle, int index, HDC dcHandle, int x, int y, UINT style) {
  Journal("ImageList_Draw(%d,%d,%d,0x%x)", index, x, y, style);
  ImageListObject* list = LiveList(handle);
  DeviceContext* dc = Dc(dcHandle);
  if (!list || !dc || index < 0 || index >= static_cast<int>(list->images.size())) return FALSE;
  const ImageListObject::Image& image = list->images[static_cast<size_t>(index)];
  const int w = list->width, h = list->height;
  if (style & ILD_MASK) {
    if (!image.mask) return FALSE;
    return BlitFromBitmap(dc, x, y, w, h, image.mask, 0, 0, w, h, 0xCC) ? TRUE : FALSE;
  }
  const bool transparent = (style & ILD_TRANSPARENT) || list->bkColor == CLR_NONE;
  if (!image.mask) return BlitFromBitmap(dc, x, y, w, h, image.colour, 0, 0, w, h, 0xCC) ? TRUE : FALSE;
  if (!transparent) {
    // The background colour where the mask is set, then the image over it.
    DcFillSolid(dc, RECT{x, y, x + w, y + h}, list->bkColor);
  }
  return BlitFromBitmap(dc, x, y, w, h, image.colour, 0, 0, w, h, 0xCC, image.mask) ? TRUE : FALSE;
}

HICON ImageList_GetIcon(HIMAGELIST handle, int index, UINT) {
  ImageListObject* list = LiveList(handle);
  if (!list || index < 0 || index >= static_cast<int>(list->images.size())) return nullptr;
  const ImageListObject::Image& image = list->images[static_cast<size_t>(index)];
  if (image.mask) return NewIcon(image.colour, image.mask);
  BitmapObject* empty = NewBitmapObject(PixelFormat::Mono1, list->width, list->height, false, true, nullptr, 0, false);
  if (!empty) return nullptr;
  IconObject* icon = NewIcon(image.colour, empty);
  delete empty;
  return icon;
}
