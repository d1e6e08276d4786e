// LoadMenuW: a menu made from an RT_MENU resource in the device's form:
// a header {version 0, offset of the items past the header}, then the
// items of each level in order, each {flags (16 bits), the id unless
// MF_POPUP, the text ending in 0}; a pop-up's items follow it directly;
// MF_END marks the last item of a level. Every read is checked against
// the resource's size; a malformed menu (cut, a level without its end, a
// text running past the end, nesting deeper than kMaxDepth) is refused.
#include <string>

#include "platform/core/last_error.h"
#include "platform/menus/menu_object.h"
#include "platform/menus/menus.h"
#include "platform/resources/program_resources.h"
#include "platform/resources/resources.h"

namespace {

constexpr WORD kEnd = 0x80;
constexpr int kMaxDepth = 16;
constexpr size_t kMaxText = 1024;

class MenuReader {
 public:
  MenuReader(const BYTE* data, size_t size) : data_(data), size_(size) {}

  bool Word(WORD* value) {
    if (size_ - at_ < 2) return false;
    *value = static_cast<WORD>(data_[at_] | (data_[at_ + 1] << 8));
    at_ += 2;
    return true;
  }
  bool Skip(size_t count) {
    if (size_ - at_ < count) return false;
    at_ += count;
    return true;
  }
  bool Text(std::u16string* text) {
    text->clear();
    WORD word = 0;
    for (;;) {
      if (!Word(&word)) return false;
      if (word == 0) return true;
      if (text->size() >= kMaxText) return false;
      text->push_back(static_cast<char16_t>(word));
    }
  }
  // Reads one level's items into `menu` (already live).
  bool Level(HMENU menu, int depth) {
    if (depth > kMaxDepth) return false;
    for (;;) {
      WORD flags = 0;
      if (!Word(&flags)) return false;
      std::u16string text;
      if (flags & MF_POPUP) {
        if (!Text(&text)) return false;
        HMENU sub = CreatePopupMenu();
        if (sub == nullptr) return false;
        if (!Level(sub, depth + 1) ||
            !AppendMenuW(menu, MF_POPUP | (flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED)),
                         reinterpret_cast<UINT_PTR>(sub), text.c_str())) {
          DestroyMenu(sub);
          return false;
        }
      } else {
        WORD id = 0;
        if (!Word(&id) || !Text(&text)) return false;
        bool separator = (flags & MF_SEPARATOR) != 0 || (id == 0 && text.empty());
        UINT itemFlags = separator ? MF_SEPARATOR : (flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED));
        if (!AppendMenuW(menu, itemFlags, id, separator ? nullptr : text.c_str())) return false;
      }
      if (flags & kEnd) return true;
    }
  }

 private:
  const BYTE* data_;
  size_t size_;
  size_t at_ = 0;
};

}  // namespace

HMENU LoadMenuFromBytes(const BYTE* data, size_t size) {
  if (data == nullptr) return nullptr;
  MenuReader read(data, size);
  WORD version = 0, offset = 0;
  if (!read.Word(&version) || !read.Word(&offset) || version != 0 || !read.Skip(offset)) return nullptr;
  HMENU menu = CreateMenu();
  if (menu == nullptr) return nullptr;
  if (!read.Level(menu, 0)) {
    DestroyMenu(menu);
    return nullptr;
  }
  return menu;
}

HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name) {
  HRSRC found = FindResourceW(instance, name, RT_MENU);
  if (found == nullptr) return nullptr;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
  HMENU menu = LoadMenuFromBytes(data, SizeofResource(instance, found));
  if (menu == nullptr) SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
  return menu;
}
