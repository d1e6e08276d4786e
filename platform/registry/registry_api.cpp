// The device's registry calls over the shared hive. An open key is a number
// in this process's table naming a root and a path, never a pointer into the
// tree: the tree is rebuilt whenever another process changed the file, and a
// key deleted meanwhile is reported as ERROR_KEY_DELETED.
#include <algorithm>
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "platform/core/last_error.h"
#include "platform/registry/registry.h"
#include "platform/registry/registry_store.h"
#include "platform/registry/registry_handles.h"

namespace devreg {
namespace {

struct OpenKey {
  int root = 0;
  std::vector<std::u16string> path;
};

struct HandleTable {
  std::map<uintptr_t, OpenKey> keys;
  uintptr_t next = 0x1000;  // far below the roots; never reused
  uint64_t generation = 0;
};

HandleTable& Handles() {
  static HandleTable* table = new HandleTable;
  return *table;
}

// Keys opened on an earlier device root mean nothing on this one.
void ForgetOtherRoots() {
  uint64_t generation = 0;
  CurrentHive(&generation);
  HandleTable& table = Handles();
  if (table.generation != generation) {
    table.keys.clear();
    table.generation = generation;
  }
}

bool IsRootHandle(HKEY key, int* root) {
  uintptr_t value = reinterpret_cast<uintptr_t>(key);
  if (value < kFirstRootHandle || value >= kFirstRootHandle + kRootCount) return false;
  *root = static_cast<int>(value - kFirstRootHandle);
  return true;
}

// The root and path a handle names; false for a handle that is not open.
bool Describe(HKEY key, OpenKey* out) {
  int root = 0;
  if (IsRootHandle(key, &root)) {
    out->root = root;
    out->path.clear();
    return true;
  }
  HandleTable& table = Handles();
  auto it = table.keys.find(reinterpret_cast<uintptr_t>(key));
  if (it == table.keys.end()) return false;
  *out = it->second;
  return true;
}

HKEY AddHandle(OpenKey key) {
  HandleTable& table = Handles();
  uintptr_t value = table.next;
  table.next += 4;
  table.keys[value] = std::move(key);
  return reinterpret_cast<HKEY>(value);
}

// Resolves a handle against the current hive: ERROR_INVALID_HANDLE for a
// handle never opened or closed, ERROR_KEY_DELETED when its key is gone.
LONG ResolveHandle(RegHive& hive, HKEY key, OpenKey* description, RegKey** found) {
  if (!Describe(key, description)) return ERROR_INVALID_HANDLE;
  *found = hive.Find(description->root, description->path);
  return *found ? static_cast<LONG>(ERROR_SUCCESS) : ERROR_KEY_DELETED;
}

std::u16string NameOf(LPCWSTR name) { return name ? std::u16string(name) : std::u16string(); }

// Copies a value's bytes the way RegQueryValueExW and RegEnumValueW answer.
LONG AnswerValue(const RegValue& value, LPDWORD type, LPBYTE data, LPDWORD dataBytes) {
  if (data && !dataBytes) return ERROR_INVALID_PARAMETER;
  if (type) *type = value.type;
  if (!dataBytes) return ERROR_SUCCESS;
  DWORD size = static_cast<DWORD>(value.data.size());
  if (data) {
    if (*dataBytes < size) {
      *dataBytes = size;
      return ERROR_MORE_DATA;
    }
    if (size) std::memcpy(data, value.data.data(), size);
  }
  *dataBytes = size;
  return ERROR_SUCCESS;
}

// Copies a name into a caller's buffer counted in characters with its NUL.
LONG AnswerName(const std::u16string& name, LPWSTR buffer, LPDWORD units) {
  if (!buffer || !units) return ERROR_INVALID_PARAMETER;
  if (*units <= name.size()) {
    *units = static_cast<DWORD>(name.size() + 1);
    return ERROR_MORE_DATA;
  }
  std::copy(name.begin(), name.end(), buffer);
  buffer[name.size()] = 0;
  *units = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

template <class Body>
LONG Guarded(Body&& body) {
  try {
    std::lock_guard<std::mutex> guard(RegistryMutex());
    ForgetOtherRoots();
    return body();
  } catch (const std::bad_alloc&) {
    return ERROR_OUTOFMEMORY;
  } catch (...) {
    return ERROR_BADDB;
  }
}

}  // namespace

int OpenKeyCountLocked() {
  ForgetOtherRoots();
  return static_cast<int>(Handles().keys.size());
}

}  // namespace devreg

using namespace devreg;

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  return Guarded([&]() -> LONG {
    OpenKey description;
    RegKey* parent = nullptr;
    LONG status = ResolveHandle(CurrentHive(), key, &description, &parent);
    if (status != ERROR_SUCCESS) return status;
    std::vector<std::u16string> parts;
    if (!SplitKeyPath(subKey, &parts)) return ERROR_INVALID_PARAMETER;
    RegKey* target = parent;
    for (const auto& name : parts) {
      target = target->FindSubkey(name);
      if (!target) return ERROR_FILE_NOT_FOUND;
      description.path.push_back(target->name);
    }
    *result = AddHandle(std::move(description));
    return ERROR_SUCCESS;
  });
}

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM, void*, PHKEY result,
                     LPDWORD disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  return Guarded([&]() -> LONG {
    std::vector<std::u16string> parts;
    if (!SplitKeyPath(subKey, &parts)) return ERROR_INVALID_PARAMETER;
    HiveChange change;
    OpenKey description;
    RegKey* target = nullptr;
    LONG status = ResolveHandle(change.hive(), key, &description, &target);
    if (status != ERROR_SUCCESS) return status;
    bool created = false;
    for (const auto& name : parts) {
      RegKey* child = target->FindSubkey(name);
      if (!child) {
        child = target->AddSubkey(name);
        created = true;
      }
      target = child;
      description.path.push_back(child->name);
    }
    if (created) {
      status = change.Commit();
      if (status != ERROR_SUCCESS) return status;
    }
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = AddHandle(std::move(description));
    return ERROR_SUCCESS;
  });
}

LONG RegCloseKey(HKEY key) {
  return Guarded([&]() -> LONG {
    int root = 0;
    if (IsRootHandle(key, &root)) return ERROR_SUCCESS;
    return Handles().keys.erase(reinterpret_cast<uintptr_t>(key)) ? static_cast<LONG>(ERROR_SUCCESS)
                                                                   : static_cast<LONG>(ERROR_INVALID_HANDLE);
  });
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD dataBytes) {
  return Guarded([&]() -> LONG {
    OpenKey description;
    RegKey* found = nullptr;
    LONG status = ResolveHandle(CurrentHive(), key, &description, &found);
    if (status != ERROR_SUCCESS) return status;
    const RegValue* value = found->FindValue(NameOf(valueName));
    if (!value) return ERROR_FILE_NOT_FOUND;
    return AnswerValue(*value, type, data, dataBytes);
  });
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD dataBytes) {
  if (!data && dataBytes) return ERROR_INVALID_PARAMETER;
  std::u16string name = NameOf(valueName);
  if (name.size() > kMaxRegistryValueName) return ERROR_INVALID_PARAMETER;
  return Guarded([&]() -> LONG {
    HiveChange change;
    OpenKey description;
    RegKey* found = nullptr;
    LONG status = ResolveHandle(change.hive(), key, &description, &found);
    if (status != ERROR_SUCCESS) return status;
    found->SetValue(name, type, std::vector<uint8_t>(data, data + dataBytes));
    return change.Commit();
  });
}

LONG RegDeleteValueW(HKEY key, LPCWSTR valueName) {
  return Guarded([&]() -> LONG {
    HiveChange change;
    OpenKey description;
    RegKey* found = nullptr;
    LONG status = ResolveHandle(change.hive(), key, &description, &found);
    if (status != ERROR_SUCCESS) return status;
    if (!found->RemoveValue(NameOf(valueName))) return ERROR_FILE_NOT_FOUND;
    return change.Commit();
  });
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey) {
  return Guarded([&]() -> LONG {
    std::vector<std::u16string> parts;
    if (!SplitKeyPath(subKey, &parts)) return ERROR_INVALID_PARAMETER;
    HiveChange change;
    OpenKey description;
    RegKey* parent = nullptr;
    LONG status = ResolveHandle(change.hive(), key, &description, &parent);
    if (status != ERROR_SUCCESS) return status;
    // A key cannot delete itself: the path must name something below it.
    if (parts.empty()) return ERROR_ACCESS_DENIED;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
      parent = parent->FindSubkey(parts[i]);
      if (!parent) return ERROR_FILE_NOT_FOUND;
    }
    if (!parent->RemoveSubkey(parts.back())) return ERROR_FILE_NOT_FOUND;
    return change.Commit();
  });
}

LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameUnits, LPDWORD, LPWSTR keyClass,
                   LPDWORD classUnits, FILETIME* lastWrite) {
  return Guarded([&]() -> LONG {
    OpenKey description;
    RegKey* found = nullptr;
    LONG status = ResolveHandle(CurrentHive(), key, &description, &found);
    if (status != ERROR_SUCCESS) return status;
    if (index >= found->subkeys.size()) return ERROR_NO_MORE_ITEMS;
    status = AnswerName(found->subkeys[index]->name, name, nameUnits);
    if (status != ERROR_SUCCESS) return status;
    if (keyClass && classUnits && *classUnits) keyClass[0] = 0;
    if (classUnits) *classUnits = 0;
    if (lastWrite) *lastWrite = FILETIME{0, 0};
    return ERROR_SUCCESS;
  });
}

LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameUnits, LPDWORD, LPDWORD type, LPBYTE data,
                   LPDWORD dataBytes) {
  return Guarded([&]() -> LONG {
    OpenKey description;
    RegKey* found = nullptr;
    LONG status = ResolveHandle(CurrentHive(), key, &description, &found);
    if (status != ERROR_SUCCESS) return status;
    if (index >= found->values.size()) return ERROR_NO_MORE_ITEMS;
    const RegValue& value = found->values[index];
    status = AnswerName(value.name, name, nameUnits);
    if (status != ERROR_SUCCESS) return status;
    return AnswerValue(value, type, data, dataBytes);
  });
}

LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, LPDWORD classUnits, LPDWORD, LPDWORD subKeys,
                      LPDWORD maxSubKeyUnits, LPDWORD maxClassUnits, LPDWORD values, LPDWORD maxValueNameUnits,
                      LPDWORD maxValueBytes, LPDWORD securityDescriptor, FILETIME* lastWrite) {
  return Guarded([&]() -> LONG {
    OpenKey description;
    RegKey* found = nullptr;
    LONG status = ResolveHandle(CurrentHive(), key, &description, &found);
    if (status != ERROR_SUCCESS) return status;
    size_t longestKey = 0, longestName = 0, largest = 0;
    for (const auto& child : found->subkeys) longestKey = std::max(longestKey, child->name.size());
    for (const auto& value : found->values) {
      longestName = std::max(longestName, value.name.size());
      largest = std::max(largest, value.data.size());
    }
    if (keyClass && classUnits && *classUnits) keyClass[0] = 0;
    if (classUnits) *classUnits = 0;
    if (subKeys) *subKeys = static_cast<DWORD>(found->subkeys.size());
    if (maxSubKeyUnits) *maxSubKeyUnits = static_cast<DWORD>(longestKey);
    if (maxClassUnits) *maxClassUnits = 0;
    if (values) *values = static_cast<DWORD>(found->values.size());
    if (maxValueNameUnits) *maxValueNameUnits = static_cast<DWORD>(longestName);
    if (maxValueBytes) *maxValueBytes = static_cast<DWORD>(largest);
    if (securityDescriptor) *securityDescriptor = 0;
    if (lastWrite) *lastWrite = FILETIME{0, 0};
    return ERROR_SUCCESS;
  });
}

LONG RegFlushKey(HKEY key) {
  return Guarded([&]() -> LONG {
    OpenKey description;
    RegKey* found = nullptr;
    return ResolveHandle(CurrentHive(), key, &description, &found);
  });
}
