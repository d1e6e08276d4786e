// The template reader of dialog_template.h.
#include "platform/dialogs/dialog_template.h"

#include "platform/resources/program_resources.h"

namespace devdialog {
namespace {

constexpr size_t kMaxText = 4096;  // characters of one text

class Reader {
 public:
  Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}
  bool Word(WORD* value) {
    if (size_ - at_ < 2) return false;
    *value = static_cast<WORD>(data_[at_] | (data_[at_ + 1] << 8));
    at_ += 2;
    return true;
  }
  bool Short(short* value) {
    WORD word = 0;
    if (!Word(&word)) return false;
    *value = static_cast<short>(word);
    return true;
  }
  bool Dword(DWORD* value) {
    WORD low = 0, high = 0;
    if (!Word(&low) || !Word(&high)) return false;
    *value = static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16);
    return true;
  }
  // A UTF-16 text up to its 0 word; the first word may already be read.
  bool Text(std::u16string* text, WORD first) {
    text->clear();
    WORD word = first;
    while (word != 0) {
      if (text->size() >= kMaxText) return false;
      text->push_back(static_cast<char16_t>(word));
      if (!Word(&word)) return false;
    }
    return true;
  }
  // A text or ordinal: *isOrdinal tells which.
  bool TextOrOrdinal(std::u16string* text, bool* isOrdinal, WORD* ordinal) {
    WORD first = 0;
    if (!Word(&first)) return false;
    *isOrdinal = first == 0xFFFF;
    if (*isOrdinal) return Word(ordinal);
    return Text(text, first);
  }
  bool Skip(size_t count) {
    if (size_ - at_ < count) return false;
    at_ += count;
    return true;
  }
  bool AlignTo4() { return Skip((4 - at_ % 4) % 4); }
  size_t Left() const { return size_ - at_; }

 private:
  const BYTE* data_;
  size_t size_;
  size_t at_ = 0;
};

const char16_t* AtomClass(WORD atom) {
  switch (atom) {
    case 0x80: return u"BUTTON";
    case 0x81: return u"EDIT";
    case 0x82: return u"STATIC";
    case 0x83: return u"LISTBOX";
    case 0x84: return u"SCROLLBAR";
    case 0x85: return u"COMBOBOX";
  }
  return nullptr;
}

// The smallest an item can be: five 32/16-bit fields, the id, a class atom,
// an empty text and the creation count.
constexpr size_t kSmallestItem = 18 + 4 + 2 + 2;

}  // namespace

bool ParseDialogTemplate(const BYTE* data, size_t size, DialogTemplate* out) {
  if (data == nullptr || out == nullptr) return false;
  *out = DialogTemplate{};
  Reader read(data, size);
  WORD count = 0;
  if (!read.Dword(&out->style) || !read.Dword(&out->exStyle) || !read.Word(&count) || !read.Short(&out->x) ||
      !read.Short(&out->y) || !read.Short(&out->cx) || !read.Short(&out->cy))
    return false;
  bool ordinal = false;
  if (!read.TextOrOrdinal(&out->menuName, &ordinal, &out->menuOrdinal)) return false;
  out->hasMenu = ordinal || !out->menuName.empty();
  WORD unused = 0;
  if (!read.TextOrOrdinal(&out->className, &ordinal, &unused) || ordinal) return false;
  if (!read.TextOrOrdinal(&out->title, &ordinal, &unused) || ordinal) return false;
  if (out->style & DS_SETFONT) {
    WORD first = 0;
    if (!read.Word(&out->pointSize) || !read.Word(&first) || !read.Text(&out->faceName, first)) return false;
  }
  // Refuse a count the bytes cannot hold before reserving for it.
  if (count > read.Left() / kSmallestItem + 1) return false;
  out->items.reserve(count);
  for (WORD i = 0; i < count; ++i) {
    ItemTemplate item;
    if (!read.AlignTo4() || !read.Dword(&item.style) || !read.Dword(&item.exStyle) || !read.Short(&item.x) ||
        !read.Short(&item.y) || !read.Short(&item.cx) || !read.Short(&item.cy) || !read.Word(&item.id))
      return false;
    WORD atom = 0;
    if (!read.TextOrOrdinal(&item.className, &ordinal, &atom)) return false;
    if (ordinal) {
      const char16_t* name = AtomClass(atom);
      if (name == nullptr) return false;
      item.className = name;
    } else if (item.className.empty()) {
      return false;
    }
    if (!read.TextOrOrdinal(&item.text, &item.textIsOrdinal, &item.textOrdinal)) return false;
    WORD extra = 0;
    if (!read.Word(&extra) || !read.Skip(extra)) return false;
    out->items.push_back(std::move(item));
  }
  return true;
}

bool FindInstalledTemplate(const void* where, const BYTE** start, size_t* size, UINT* id) {
  const ProgramResources& installed = InstalledProgramResources();
  auto address = reinterpret_cast<uintptr_t>(where);
  for (size_t i = 0; i < installed.resourceCount; ++i) {
    const ResourceEntry& entry = installed.resources[i];
    auto first = reinterpret_cast<uintptr_t>(entry.data);
    if (entry.type != 5 || entry.data == nullptr || address < first || address >= first + entry.size) continue;
    *start = static_cast<const BYTE*>(where);
    *size = entry.size - (address - first);
    *id = entry.id;
    return true;
  }
  return false;
}

}  // namespace devdialog
