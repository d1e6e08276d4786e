// WaitForSingleObject over any synchronisation object, in real time, with
// the test cap applied.
#include <chrono>

#include "platform/core/last_error.h"
#include "platform/threads/sync.h"
#include "platform/threads/waitable.h"

namespace devthreads {

std::shared_ptr<Waitable> WaitableOf(HANDLE handle, Waitable::Kind kind) {
  auto sync = LookupHandle<SyncHandle>(handle);
  if (!sync || sync->object()->kind() != kind) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return sync->object();
}

}  // namespace devthreads

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  auto sync = LookupHandle<devthreads::SyncHandle>(handle);
  if (!sync) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  devthreads::Waitable& object = *sync->object();
  auto deadline = std::chrono::steady_clock::now() + devthreads::CappedWait(milliseconds);
  std::unique_lock<std::mutex> guard(object.lock);
  devthreads::WaitToken token = object.BeginWait();
  DWORD result = WAIT_TIMEOUT;
  for (;;) {
    result = object.TryAcquire(token);
    if (result != WAIT_TIMEOUT) break;
    if (std::chrono::steady_clock::now() >= deadline) break;
    object.changed.wait_until(guard, deadline);
  }
  object.EndWait();
  return result;
}
