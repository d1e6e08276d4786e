// Reading and writing the attribute store's lines. Fields are parsed by
// hand: digit counts are bounded so no value overflows, and the path runs to
// the end of the line whatever bytes it holds.
#include "platform/files/attribute_store_format.h"

#include "platform/files/attribute_store.h"
#include "platform/files/host_names.h"

namespace devicefs {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses one line (without its '\n'); false when it is malformed.
bool ParseLine(const std::string& line, std::u16string* key, StoredEntry* entry) {
  size_t i = 0;
  uint64_t attributes = 0;
  for (; i < line.size() && HexDigit(line[i]) >= 0; ++i) {
    if (i == 8) return false;
    attributes = attributes * 16 + static_cast<uint64_t>(HexDigit(line[i]));
  }
  if (i == 0 || i >= line.size() || line[i] != ' ') return false;
  size_t start = ++i;
  uint64_t creation = 0;
  for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
    uint64_t digit = static_cast<uint64_t>(line[i] - '0');
    if (creation > (UINT64_MAX - digit) / 10) return false;
    creation = creation * 10 + digit;
  }
  if (i == start || i >= line.size() || line[i] != ' ') return false;
  ++i;
  if (i >= line.size()) return false;
  *key = HostNameToDevice(line.substr(i));
  entry->attributes = static_cast<DWORD>(attributes) & kEmulatedAttributeMask;
  entry->creation = creation;
  return true;
}

bool HasSomething(const StoredEntry& e) { return e.attributes != 0 || e.creation != 0; }

}  // namespace

StoredEntries ParseAttributeStore(const std::string& text) {
  StoredEntries entries;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::u16string key;
    StoredEntry entry;
    if (ParseLine(text.substr(start, end - start), &key, &entry)) {
      if (HasSomething(entry))
        entries[key] = entry;
      else
        entries.erase(key);
    }
    start = end + 1;
  }
  return entries;
}

std::string FormatAttributeStore(const StoredEntries& entries) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (const auto& [key, e] : entries) {
    std::string path;
    if (!HasSomething(e) || key.empty() || !DeviceNameToHost(key, &path)) continue;
    if (path.find('\n') != std::string::npos) continue;
    std::string attrs;
    DWORD a = e.attributes & kEmulatedAttributeMask;
    do {
      attrs.insert(attrs.begin(), kHex[a & 0xF]);
      a >>= 4;
    } while (a);
    out += attrs;
    out += ' ';
    out += std::to_string(e.creation);
    out += ' ';
    out += path;
    out += '\n';
  }
  return out;
}

}  // namespace devicefs
