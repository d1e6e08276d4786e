// FindResourceW, LoadResource, LockResource, SizeofResource and the icon
// loaders over the installed program resources (resources.h).
#include "platform/resources/resources.h"

#include <new>
#include <vector>

#include "platform/core/last_error.h"
#include "platform/gdi/gdi.h"
#include "platform/modules/modules.h"
#include "platform/resources/icon_image.h"
#include "platform/resources/program_resources.h"
#include "platform/core/device_profile.h"

namespace {

constexpr UINT kIconType = 3;        // RT_ICON
constexpr UINT kGroupIconType = 14;  // RT_GROUP_ICON

bool ProgramModule(HMODULE module) { return module == nullptr || module == GetModuleHandleW(nullptr); }

const ResourceEntry* Find(UINT type, UINT id) {
  const ProgramResources& installed = InstalledProgramResources();
  for (size_t i = 0; i < installed.resourceCount; ++i) {
    const ResourceEntry& entry = installed.resources[i];
    if (entry.type == type && entry.id == id) return &entry;
  }
  return nullptr;
}

UINT IdOf(LPCWSTR name) { return static_cast<UINT>(reinterpret_cast<uintptr_t>(name)); }

// Builds the device icon: a 32-bit colour bitmap and a 1-bit mask (set where
// the background shows), both handed to CreateIconIndirect, which keeps its
// own copies.
HICON MakeIcon(const devresources::IconPixels& pixels) {
  int w = pixels.width;
  int h = pixels.height;
  std::vector<uint32_t> colour(pixels.rgb);
  size_t maskRow = ((static_cast<size_t>(w) + 15) / 16) * 2;
  std::vector<uint8_t> mask(maskRow * static_cast<size_t>(h), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (pixels.transparent[static_cast<size_t>(y) * w + x]) {
        mask[static_cast<size_t>(y) * maskRow + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        colour[static_cast<size_t>(y) * w + x] = 0;
      }
  HBITMAP colourBitmap = CreateBitmap(w, h, 1, 32, colour.data());
  HBITMAP maskBitmap = CreateBitmap(w, h, 1, 1, mask.data());
  HICON icon = nullptr;
  if (colourBitmap != nullptr && maskBitmap != nullptr) {
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colourBitmap;
    info.hbmMask = maskBitmap;
    icon = CreateIconIndirect(&info);
  }
  if (colourBitmap != nullptr) DeleteObject(colourBitmap);
  if (maskBitmap != nullptr) DeleteObject(maskBitmap);
  return icon;
}

HICON LoadIconOfSize(UINT id, int width, int height) {
  const ResourceEntry* group = Find(kGroupIconType, id);
  if (group == nullptr) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  std::vector<devresources::GroupEntry> entries;
  if (!devresources::ReadIconGroup(group->data, group->size, &entries) || entries.empty()) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  int chosen = devresources::ChooseGroupEntry(entries, width, height);
  const ResourceEntry* image = Find(kIconType, entries[static_cast<size_t>(chosen)].imageId);
  devresources::IconPixels pixels;
  if (image == nullptr || !devresources::DecodeIconImage(image->data, image->size, &pixels)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  if (pixels.width != width || pixels.height != height) pixels = devresources::ScaleIcon(pixels, width, height);
  return MakeIcon(pixels);
}

}  // namespace

namespace devresources {

int SystemIconSize() { return devsystem::Profile().dpi > 129 ? 32 : 16; }

}  // namespace devresources

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  if (!ProgramModule(module) || name == nullptr || type == nullptr) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  if (!IS_INTRESOURCE(name) || !IS_INTRESOURCE(type)) {
    // The program's resources are all numbered.
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  const ResourceEntry* entry = Find(IdOf(type), IdOf(name));
  if (entry == nullptr) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return entry;
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
  if (!ProgramModule(module) || resource == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return const_cast<BYTE*>(resource->data);
}

LPVOID LockResource(HGLOBAL data) { return data; }

DWORD SizeofResource(HMODULE module, HRSRC resource) {
  if (!ProgramModule(module) || resource == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return resource->size;
}

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT) {
  if (type != IMAGE_ICON || name == nullptr || !IS_INTRESOURCE(name) || width < 0 || height < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!ProgramModule(instance)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  int size = devresources::SystemIconSize();
  if (width == 0) width = height != 0 ? height : size;
  if (height == 0) height = width;
  try {
    return LoadIconOfSize(IdOf(name), width, height);
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
  return static_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, 0, 0, 0));
}
