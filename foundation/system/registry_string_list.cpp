// The registry string list. Every operation opens the key, works on it and
// closes it again, whatever happens in between.
#include "foundation/system/registry_string_list.h"

#include "foundation/system/registry.h"

namespace {

// The value name of entry i: its decimal digits.
struct EntryName {
  explicit EntryName(uint32_t i) {
    WCHAR digits[10];
    int n = 0;
    do {
      digits[n++] = static_cast<WCHAR>(u'0' + i % 10);
      i /= 10;
    } while (i);
    for (int k = 0; k < n; ++k) text[k] = digits[n - 1 - k];
    text[n] = 0;
  }
  WCHAR text[11];
};

bool ReadEntry(HKEY key, uint32_t i, EncodedString* text) { return RegQueryString(key, EntryName(i).text, text); }

bool WriteEntry(HKEY key, uint32_t i, const EncodedString& text) {
  return RegSetString(key, EntryName(i).text, text);
}

bool SameText(const EncodedString& a, const EncodedString& b) { return a.Compare(b, false, true) == 0; }

}  // namespace

RegistryStringList::RegistryStringList(HKEY root, const EncodedString& subkeyPath) : root_(root), subkey_(subkeyPath) {
  subkey_.ConvertToUtf16();
}

bool RegistryStringList::Open(HKEY* key) {
  if (!subkey_.IsOk()) return false;
  return RegOpenKeyExW(root_, subkey_.CStrOrEmpty(), 0, 0, key) == 0;
}

bool RegistryStringList::Load(EncodedStringArray* out) {
  HKEY key = nullptr;
  if (!Open(&key)) return false;
  out->Reset(5);
  uint32_t length = 0;
  bool ok = RegQueryDword(key, u"Length", &length);
  for (uint32_t i = 0; ok && i < length; ++i) {
    EncodedString entry;
    if (!ReadEntry(key, i, &entry)) break;
    out->At(out->Count()).MoveFrom(entry);
  }
  RegCloseKey(key);
  return ok;
}

bool RegistryStringList::SetLength(uint32_t n) {
  HKEY key = nullptr;
  if (!Open(&key)) return false;
  bool ok = RegSetDword(key, u"Length", n);
  RegCloseKey(key);
  return ok;
}

void RegistryStringList::PushFront(const EncodedString& text) {
  HKEY key = nullptr;
  if (!Open(&key)) return;
  uint32_t length = 0;
  if (RegQueryDword(key, u"Length", &length)) {
    // Entries come back as UTF-16: the text is compared in that form.
    EncodedString wanted(text);
    wanted.ConvertToUtf16();
    EncodedString carried(wanted);
    for (uint32_t i = 0; i < length; ++i) {
      EncodedString old;
      if (!ReadEntry(key, i, &old)) {
        WriteEntry(key, i, carried);
        break;
      }
      if (SameText(old, wanted)) {
        // Already listed: the entries before it moved down by one; at the
        // front nothing changes.
        if (i > 0) WriteEntry(key, i, carried);
        break;
      }
      WriteEntry(key, i, carried);
      carried.MoveFrom(old);
    }
  }
  RegCloseKey(key);
}

void RegistryStringList::Remove(const EncodedString& text) {
  HKEY key = nullptr;
  if (!Open(&key)) return;
  EncodedString wanted(text);
  wanted.ConvertToUtf16();
  uint32_t found = 0;
  bool present = false;
  for (uint32_t i = 0;; ++i) {
    EncodedString entry;
    if (!ReadEntry(key, i, &entry)) break;
    if (SameText(entry, wanted)) {
      found = i;
      present = true;
      break;
    }
  }
  if (present) {
    // Every later entry moves up by one; the last one, now copied, goes.
    uint32_t last = found;
    for (uint32_t j = found + 1;; ++j) {
      EncodedString entry;
      if (!ReadEntry(key, j, &entry)) break;
      WriteEntry(key, j - 1, entry);
      last = j;
    }
    RegDeleteValueAt(key, EntryName(last).text);
  }
  RegCloseKey(key);
}
