// CreateThread over std::thread. The thread's state (started, suspended,
// ended, exit code) is a Waitable shared by its handle and the running
// thread, so a handle closed early does not disturb the thread and a wait on
// the handle ends when the start routine returns.
#include <sys/syscall.h>
#include <unistd.h>

#include <thread>

#include "platform/core/last_error.h"
#include "platform/threads/sync.h"
#include "platform/threads/threads.h"
#include "platform/threads/waitable.h"

namespace devthreads {
namespace {

class ThreadObject : public Waitable {
 public:
  ThreadObject(bool suspended) : Waitable(Kind::kThread), suspendCount_(suspended ? 1 : 0) {}

  DWORD TryAcquire(const WaitToken&) override { return ended_ ? WAIT_OBJECT_0 : WAIT_TIMEOUT; }

  // All called with `lock` held.
  bool ended() const { return ended_; }
  DWORD exitCode() const { return ended_ ? exitCode_ : STILL_ACTIVE; }
  DWORD id() const { return id_; }
  bool started() const { return id_ != 0; }
  DWORD suspendCount() const { return suspendCount_; }
  void SetId(DWORD id) { id_ = id; }
  DWORD Resume() {
    DWORD before = suspendCount_;
    if (suspendCount_ != 0 && --suspendCount_ == 0) changed.notify_all();
    return before;
  }
  void End(DWORD code) {
    ended_ = true;
    exitCode_ = code;
    changed.notify_all();
  }

 private:
  DWORD id_ = 0;
  DWORD suspendCount_;
  bool ended_ = false;
  DWORD exitCode_ = 0;
};

void RunThread(std::shared_ptr<ThreadObject> state, LPTHREAD_START_ROUTINE start, LPVOID parameter) {
  {
    std::unique_lock<std::mutex> guard(state->lock);
    state->SetId(GetCurrentThreadId());
    state->changed.notify_all();
    state->changed.wait(guard, [&] { return state->suspendCount() == 0; });
  }
  DWORD code = start(parameter);
  std::lock_guard<std::mutex> guard(state->lock);
  state->End(code);
}

}  // namespace
}  // namespace devthreads

HANDLE CreateThread(void*, DWORD, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD flags,
                    LPDWORD threadId) {
  if (start == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  try {
    auto state = std::make_shared<devthreads::ThreadObject>((flags & CREATE_SUSPENDED) != 0);
    HANDLE handle = RegisterKernelObject(std::make_shared<devthreads::SyncHandle>(state));
    std::thread(devthreads::RunThread, state, start, parameter).detach();
    std::unique_lock<std::mutex> guard(state->lock);
    state->changed.wait(guard, [&] { return state->started(); });
    if (threadId != nullptr) *threadId = state->id();
    return handle;
  } catch (const std::exception&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}

DWORD ResumeThread(HANDLE thread) {
  auto object = devthreads::WaitableOf(thread, devthreads::Waitable::Kind::kThread);
  if (!object) return 0xFFFFFFFFu;
  std::lock_guard<std::mutex> guard(object->lock);
  return static_cast<devthreads::ThreadObject*>(object.get())->Resume();
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
  auto object = devthreads::WaitableOf(thread, devthreads::Waitable::Kind::kThread);
  if (!object || exitCode == nullptr) {
    if (object) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::mutex> guard(object->lock);
  *exitCode = static_cast<devthreads::ThreadObject*>(object.get())->exitCode();
  return TRUE;
}

DWORD GetCurrentThreadId() { return static_cast<DWORD>(::syscall(SYS_gettid)); }

DWORD GetCurrentProcessId() { return static_cast<DWORD>(::getpid()); }

namespace devthreads {

bool IsUiThread() { return ::syscall(SYS_gettid) == ::getpid(); }

}  // namespace devthreads
