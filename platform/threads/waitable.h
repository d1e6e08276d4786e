// What a handle of a synchronisation object holds: the object shared by all
// its handles (a Waitable), and the generic wait on it. Internal to
// platform/threads.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/core/kernel_object.h"
#include "platform/types/device_types.h"

namespace devthreads {

// One wait in progress: what it saw when it began.
struct WaitToken {
  uint64_t pulseGeneration = 0;
};

class Waitable {
 public:
  enum class Kind { kEvent, kMutex, kThread };

  explicit Waitable(Kind kind) : kind_(kind) {}
  virtual ~Waitable() = default;
  Waitable(const Waitable&) = delete;
  Waitable& operator=(const Waitable&) = delete;

  Kind kind() const { return kind_; }

  // Both called with `lock` held. TryAcquire takes the object for the
  // calling thread when it is signalled (resetting an auto-reset event,
  // taking a mutex) and answers the wait result, or WAIT_TIMEOUT when the
  // object is not signalled.
  virtual WaitToken BeginWait() { return WaitToken{}; }
  virtual DWORD TryAcquire(const WaitToken& token) = 0;
  virtual void EndWait() {}

  std::mutex lock;
  std::condition_variable changed;

 private:
  Kind kind_;
};

// The kernel object behind one handle: each handle holds the shared object,
// so closing one handle leaves the others working.
class SyncHandle : public KernelObject {
 public:
  explicit SyncHandle(std::shared_ptr<Waitable> object) : object_(std::move(object)) {}
  const std::shared_ptr<Waitable>& object() const { return object_; }

 private:
  std::shared_ptr<Waitable> object_;
};

// The object behind a handle when it is of `kind`, else null (and
// ERROR_INVALID_HANDLE).
std::shared_ptr<Waitable> WaitableOf(HANDLE handle, Waitable::Kind kind);

// The real-time length of a wait of `milliseconds` after the test cap.
std::chrono::milliseconds CappedWait(DWORD milliseconds);

}  // namespace devthreads
