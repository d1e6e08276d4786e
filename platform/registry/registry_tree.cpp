// The registry tree in memory and its file form.
#include "platform/registry/registry_tree.h"

#include <cstring>
#include <string_view>
#include <unordered_set>

#include "platform/files/device_root.h"
#include "platform/registry/registry.h"

namespace devreg {

RegKey* RegKey::FindSubkey(const std::u16string& child) {
  for (auto& key : subkeys)
    if (devicefs::NamesEqual(key->name, child)) return key.get();
  return nullptr;
}

RegKey* RegKey::AddSubkey(const std::u16string& child) {
  subkeys.push_back(std::make_unique<RegKey>());
  subkeys.back()->name = child;
  return subkeys.back().get();
}

bool RegKey::RemoveSubkey(const std::u16string& child) {
  for (auto it = subkeys.begin(); it != subkeys.end(); ++it) {
    if (!devicefs::NamesEqual((*it)->name, child)) continue;
    subkeys.erase(it);
    return true;
  }
  return false;
}

RegValue* RegKey::FindValue(const std::u16string& valueName) {
  for (auto& value : values)
    if (devicefs::NamesEqual(value.name, valueName)) return &value;
  return nullptr;
}

void RegKey::SetValue(const std::u16string& valueName, DWORD type, std::vector<uint8_t> data) {
  if (RegValue* value = FindValue(valueName)) {
    value->type = type;
    value->data = std::move(data);
    return;
  }
  values.push_back(RegValue{valueName, type, std::move(data)});
}

bool RegKey::RemoveValue(const std::u16string& valueName) {
  for (auto it = values.begin(); it != values.end(); ++it) {
    if (!devicefs::NamesEqual(it->name, valueName)) continue;
    values.erase(it);
    return true;
  }
  return false;
}

void RegHive::Clear() {
  for (auto& root : roots) root = RegKey();
}

RegKey* RegHive::Find(int root, const std::vector<std::u16string>& path) {
  if (root < 0 || root >= kRootCount) return nullptr;
  RegKey* key = &roots[root];
  for (const auto& name : path) {
    key = key->FindSubkey(name);
    if (!key) return nullptr;
  }
  return key;
}

bool SplitKeyPath(const char16_t* path, std::vector<std::u16string>* parts) {
  parts->clear();
  if (!path) return true;
  std::u16string current;
  for (const char16_t* p = path;; ++p) {
    if (*p == u'\\' || *p == 0) {
      if (!current.empty()) parts->push_back(current);
      current.clear();
      if (*p == 0) break;
      continue;
    }
    current.push_back(*p);
    if (current.size() > kMaxRegistryKeyName) return false;
  }
  return true;
}

namespace {

constexpr char kMagic[8] = {'T', 'S', 'L', 'R', 'E', 'G', '0', '1'};
// Deeper trees than this are not made by the device; a file claiming one is damaged.
constexpr int kMaxDepth = 256;

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutName(std::vector<uint8_t>& out, const std::u16string& name) {
  PutU16(out, static_cast<uint16_t>(name.size()));
  for (char16_t c : name) PutU16(out, c);
}

void PutKey(std::vector<uint8_t>& out, const RegKey& key) {
  PutName(out, key.name);
  PutU32(out, static_cast<uint32_t>(key.values.size()));
  for (const auto& value : key.values) {
    PutName(out, value.name);
    PutU32(out, value.type);
    PutU32(out, static_cast<uint32_t>(value.data.size()));
    out.insert(out.end(), value.data.begin(), value.data.end());
  }
  PutU32(out, static_cast<uint32_t>(key.subkeys.size()));
  for (const auto& child : key.subkeys) PutKey(out, *child);
}

bool IsKeyName(const std::u16string& name) {
  return !name.empty() && name.find_first_of(std::u16string_view(u"\\\0", 2)) == std::u16string::npos;
}

class Reader {
 public:
  Reader(const uint8_t* bytes, size_t size) : p_(bytes), left_(size) {}

  bool U16(uint16_t* v) {
    if (left_ < 2) return false;
    *v = static_cast<uint16_t>(p_[0] | (p_[1] << 8));
    Advance(2);
    return true;
  }
  bool U32(uint32_t* v) {
    if (left_ < 4) return false;
    *v = static_cast<uint32_t>(p_[0]) | (static_cast<uint32_t>(p_[1]) << 8) |
         (static_cast<uint32_t>(p_[2]) << 16) | (static_cast<uint32_t>(p_[3]) << 24);
    Advance(4);
    return true;
  }
  bool Name(std::u16string* name, size_t limit) {
    uint16_t n = 0;
    if (!U16(&n) || n > limit || left_ / 2 < n) return false;
    name->resize(n);
    for (uint16_t i = 0; i < n; ++i) {
      uint16_t unit = 0;
      U16(&unit);
      (*name)[i] = static_cast<char16_t>(unit);
    }
    return true;
  }
  bool Bytes(std::vector<uint8_t>* out, uint32_t n) {
    if (left_ < n) return false;
    out->assign(p_, p_ + n);
    Advance(n);
    return true;
  }
  bool Key(RegKey* key, int depth) {
    if (depth > kMaxDepth || !Name(&key->name, kMaxRegistryKeyName)) return false;
    // Only names the calls can reach: a root is nameless, and a subkey has a
    // name that opens it (not empty, no separator, no NUL).
    if (depth == 0 ? !key->name.empty() : !IsKeyName(key->name)) return false;
    uint32_t count = 0;
    // Every value needs at least 10 bytes, every key 10: a count beyond the
    // bytes left is damage, not a reason to allocate.
    if (!U32(&count) || count > left_ / 10) return false;
    key->values.resize(count);
    std::unordered_set<std::u16string> seen;
    for (auto& value : key->values) {
      uint32_t bytes = 0;
      if (!Name(&value.name, kMaxRegistryValueName) || !U32(&value.type) || !U32(&bytes) ||
          !Bytes(&value.data, bytes))
        return false;
      if (value.name.find(u'\0') != std::u16string::npos || !seen.insert(devicefs::FoldName(value.name)).second)
        return false;
    }
    if (!U32(&count) || count > left_ / 10) return false;
    key->subkeys.reserve(count);
    seen.clear();
    for (uint32_t i = 0; i < count; ++i) {
      key->subkeys.push_back(std::make_unique<RegKey>());
      if (!Key(key->subkeys.back().get(), depth + 1)) return false;
      // A second key of the same name (in any case) could never be opened.
      if (!seen.insert(devicefs::FoldName(key->subkeys.back()->name)).second) return false;
    }
    return true;
  }
  bool Magic() {
    if (left_ < sizeof(kMagic) || std::memcmp(p_, kMagic, sizeof(kMagic)) != 0) return false;
    Advance(sizeof(kMagic));
    return true;
  }
  bool AtEnd() const { return left_ == 0; }

 private:
  void Advance(size_t n) {
    p_ += n;
    left_ -= n;
  }
  const uint8_t* p_;
  size_t left_;
};

}  // namespace

std::vector<uint8_t> SerializeHive(const RegHive& hive) {
  std::vector<uint8_t> out(kMagic, kMagic + sizeof(kMagic));
  for (const auto& root : hive.roots) PutKey(out, root);
  return out;
}

bool ParseHive(const uint8_t* bytes, size_t size, RegHive* hive) {
  hive->Clear();
  Reader reader(bytes, size);
  bool ok = reader.Magic();
  for (int i = 0; ok && i < kRootCount; ++i) ok = reader.Key(&hive->roots[i], 0);
  if (ok && reader.AtEnd()) return true;
  hive->Clear();
  return false;
}

}  // namespace devreg
