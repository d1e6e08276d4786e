// Names of events and mutexes. The table holds weak references: a name lives
// as long as some handle keeps its object.
#include "platform/threads/named_objects.h"

#include <map>
#include <mutex>
#include <new>
#include <string>

#include "platform/core/last_error.h"

namespace devthreads {
namespace {

struct NameTable {
  std::mutex lock;
  std::map<std::u16string, std::weak_ptr<Waitable>> objects;
};

NameTable& Names() {
  static NameTable* table = new NameTable;  // lives for the process
  return *table;
}

}  // namespace

HANDLE CreateNamedObject(LPCWSTR name, Waitable::Kind kind,
                         const std::function<std::shared_ptr<Waitable>()>& make) {
  try {
    std::shared_ptr<Waitable> object;
    bool existed = false;
    if (name == nullptr) {
      object = make();
    } else {
      std::u16string key(name);
      if (key.size() > MAX_PATH) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return nullptr;
      }
      NameTable& table = Names();
      std::lock_guard<std::mutex> guard(table.lock);
      auto it = table.objects.find(key);
      if (it != table.objects.end()) object = it->second.lock();
      if (object) {
        if (object->kind() != kind) {
          SetLastError(ERROR_INVALID_HANDLE);
          return nullptr;
        }
        existed = true;
      } else {
        object = make();
        table.objects[key] = object;
        // Forget names whose objects are gone, so the table stays small.
        for (auto walk = table.objects.begin(); walk != table.objects.end();) {
          if (walk->second.expired())
            walk = table.objects.erase(walk);
          else
            ++walk;
        }
      }
    }
    HANDLE handle = RegisterKernelObject(std::make_shared<SyncHandle>(object));
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
  } catch (const std::exception&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}

void ForgetNamedObjects() {
  NameTable& table = Names();
  std::lock_guard<std::mutex> guard(table.lock);
  table.objects.clear();
}

}  // namespace devthreads
