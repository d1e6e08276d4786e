// Test control of the registry: seeding and inspection work on the shared
// hive directly, through the same lock and file as the device's calls.
#include <stdexcept>

#include "platform/registry/registry_handles.h"
#include "platform/registry/registry_store.h"
#include "platform/testing/registry.h"

namespace devtest {
namespace {

int RootIndex(HKEY root) {
  uintptr_t value = reinterpret_cast<uintptr_t>(root);
  if (value < devreg::kFirstRootHandle || value >= devreg::kFirstRootHandle + devreg::kRootCount)
    throw std::invalid_argument("registry test control takes a predefined root key");
  return static_cast<int>(value - devreg::kFirstRootHandle);
}

std::vector<std::u16string> Parts(const std::u16string& keyPath) {
  std::vector<std::u16string> parts;
  if (!devreg::SplitKeyPath(keyPath.c_str(), &parts)) throw std::invalid_argument("registry key name too long");
  return parts;
}

devreg::RegKey* Find(HKEY root, const std::u16string& keyPath) {
  return devreg::CurrentHive().Find(RootIndex(root), Parts(keyPath));
}

void Seed(HKEY root, const std::u16string& keyPath, const std::u16string* valueName, uint32_t type,
          const std::vector<uint8_t>& bytes) {
  std::lock_guard<std::mutex> guard(devreg::RegistryMutex());
  devreg::HiveChange change;
  devreg::RegKey* key = &change.hive().roots[RootIndex(root)];
  for (const auto& name : Parts(keyPath)) {
    devreg::RegKey* child = key->FindSubkey(name);
    key = child ? child : key->AddSubkey(name);
  }
  if (valueName) key->SetValue(*valueName, type, bytes);
  if (change.Commit() != 0) throw std::runtime_error("registry file cannot be written");
}

}  // namespace

void SeedRegistryKey(HKEY root, const std::u16string& keyPath) { Seed(root, keyPath, nullptr, 0, {}); }

void SeedRegistryString(HKEY root, const std::u16string& keyPath, const std::u16string& valueName,
                        const std::u16string& text) {
  std::vector<uint8_t> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  Seed(root, keyPath, &valueName, REG_SZ, bytes);
}

void SeedRegistryDword(HKEY root, const std::u16string& keyPath, const std::u16string& valueName,
                       uint32_t value) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
  Seed(root, keyPath, &valueName, REG_DWORD, bytes);
}

void SeedRegistryValue(HKEY root, const std::u16string& keyPath, const std::u16string& valueName, uint32_t type,
                       const std::vector<uint8_t>& bytes) {
  Seed(root, keyPath, &valueName, type, bytes);
}

bool RegistryKeyExists(HKEY root, const std::u16string& keyPath) {
  std::lock_guard<std::mutex> guard(devreg::RegistryMutex());
  return Find(root, keyPath) != nullptr;
}

std::optional<RegistryValue> ReadRegistryValue(HKEY root, const std::u16string& keyPath,
                                               const std::u16string& valueName) {
  std::lock_guard<std::mutex> guard(devreg::RegistryMutex());
  devreg::RegKey* key = Find(root, keyPath);
  const devreg::RegValue* value = key ? key->FindValue(valueName) : nullptr;
  if (!value) return std::nullopt;
  return RegistryValue{value->type, value->data};
}

std::optional<std::u16string> ReadRegistryString(HKEY root, const std::u16string& keyPath,
                                                 const std::u16string& valueName) {
  auto value = ReadRegistryValue(root, keyPath, valueName);
  if (!value || value->type != REG_SZ) return std::nullopt;
  std::u16string text;
  for (size_t i = 0; i + 1 < value->bytes.size(); i += 2) {
    char16_t c = static_cast<char16_t>(value->bytes[i] | (value->bytes[i + 1] << 8));
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

std::optional<uint32_t> ReadRegistryDword(HKEY root, const std::u16string& keyPath,
                                          const std::u16string& valueName) {
  auto value = ReadRegistryValue(root, keyPath, valueName);
  if (!value || value->type != REG_DWORD || value->bytes.size() != 4) return std::nullopt;
  const auto& b = value->bytes;
  return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
         (static_cast<uint32_t>(b[3]) << 24);
}

std::vector<std::u16string> RegistrySubkeyNames(HKEY root, const std::u16string& keyPath) {
  std::lock_guard<std::mutex> guard(devreg::RegistryMutex());
  std::vector<std::u16string> names;
  if (devreg::RegKey* key = Find(root, keyPath))
    for (const auto& child : key->subkeys) names.push_back(child->name);
  return names;
}

std::vector<std::u16string> RegistryValueNames(HKEY root, const std::u16string& keyPath) {
  std::lock_guard<std::mutex> guard(devreg::RegistryMutex());
  std::vector<std::u16string> names;
  if (devreg::RegKey* key = Find(root, keyPath))
    for (const auto& value : key->values) names.push_back(value.name);
  return names;
}

void ClearRegistry() {
  std::lock_guard<std::mutex> guard(devreg::RegistryMutex());
  devreg::HiveChange change;
  change.hive().Clear();
  if (change.Commit() != 0) throw std::runtime_error("registry file cannot be written");
}

int OpenRegistryKeyCount() {
  std::lock_guard<std::mutex> guard(devreg::RegistryMutex());
  return devreg::OpenKeyCountLocked();
}

std::filesystem::path RegistryFilePath() { return devreg::RegistryFile(); }

}  // namespace devtest
