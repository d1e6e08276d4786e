// The process-wide handle table. Handles count up from 0x100 in steps of 4,
// as device handles look; 0 and -1 are never handed out.
#include "platform/core/kernel_object.h"

#include <map>
#include <mutex>

#include "platform/core/last_error.h"

namespace {

struct HandleTable {
  std::mutex lock;
  std::map<uintptr_t, std::shared_ptr<KernelObject>> objects;
  uintptr_t next = 0x100;
};

HandleTable& Table() {
  static HandleTable* table = new HandleTable;  // lives for the process
  return *table;
}

}  // namespace

HANDLE RegisterKernelObject(std::shared_ptr<KernelObject> object) {
  HandleTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  uintptr_t value = table.next;
  table.next += 4;
  table.objects[value] = std::move(object);
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> LookupKernelObject(HANDLE handle) {
  HandleTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  auto it = table.objects.find(reinterpret_cast<uintptr_t>(handle));
  if (it == table.objects.end()) return nullptr;
  return it->second;
}

bool ReleaseKernelHandle(HANDLE handle) {
  std::shared_ptr<KernelObject> object;
  {
    HandleTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    auto it = table.objects.find(reinterpret_cast<uintptr_t>(handle));
    if (it == table.objects.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return false;
    }
    object = std::move(it->second);
    table.objects.erase(it);
  }
  // One handle per object: closing it closes the object. Done outside the
  // table lock so an object may close other handles.
  object->OnClose();
  if (DWORD error = object->CloseError()) {
    SetLastError(error);
    return false;
  }
  return true;
}

BOOL CloseHandle(HANDLE handle) { return ReleaseKernelHandle(handle) ? TRUE : FALSE; }
