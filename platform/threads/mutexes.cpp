// Mutexes: an owner thread and a recursion count. A thread that ends while
// owning a mutex does not release it (the device would report the next wait
// as abandoned; nothing in the system relies on that).
#include "platform/core/last_error.h"
#include "platform/threads/named_objects.h"
#include "platform/threads/sync.h"
#include "platform/threads/threads.h"

namespace devthreads {
namespace {

class MutexObject : public Waitable {
 public:
  MutexObject() : Waitable(Kind::kMutex) {}

  DWORD TryAcquire(const WaitToken&) override {
    DWORD self = GetCurrentThreadId();
    if (count_ != 0 && owner_ != self) return WAIT_TIMEOUT;
    owner_ = self;
    ++count_;
    return WAIT_OBJECT_0;
  }

  // Called with `lock` held.
  bool Release() {
    if (count_ == 0 || owner_ != GetCurrentThreadId()) return false;
    if (--count_ == 0) {
      owner_ = 0;
      changed.notify_one();
    }
    return true;
  }

 private:
  DWORD owner_ = 0;
  uint32_t count_ = 0;
};

}  // namespace
}  // namespace devthreads

HANDLE CreateMutexW(void*, BOOL initialOwner, LPCWSTR name) {
  bool made = false;
  HANDLE handle = devthreads::CreateNamedObject(name, devthreads::Waitable::Kind::kMutex, [&] {
    made = true;
    return std::make_shared<devthreads::MutexObject>();
  });
  if (handle != nullptr && made && initialOwner) {
    // Only the creator of a new mutex takes it at creation, as on the device.
    DWORD error = GetLastError();
    auto object = devthreads::WaitableOf(handle, devthreads::Waitable::Kind::kMutex);
    std::lock_guard<std::mutex> guard(object->lock);
    object->TryAcquire(devthreads::WaitToken{});
    SetLastError(error);
  }
  return handle;
}

BOOL ReleaseMutex(HANDLE mutex) {
  auto object = devthreads::WaitableOf(mutex, devthreads::Waitable::Kind::kMutex);
  if (!object) return FALSE;
  std::lock_guard<std::mutex> guard(object->lock);
  if (!static_cast<devthreads::MutexObject*>(object.get())->Release()) {
    SetLastError(ERROR_NOT_OWNER);
    return FALSE;
  }
  return TRUE;
}
