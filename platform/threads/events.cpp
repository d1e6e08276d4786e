// Events: manual-reset events stay signalled until reset and release every
// waiter; auto-reset events release one waiter and clear themselves. A pulse
// releases the threads waiting at that moment and leaves the event clear: a
// manual-reset pulse advances a generation that every current wait notices;
// an auto-reset pulse with a waiter signals the event for the one waiter
// that takes it.
#include "platform/core/last_error.h"
#include "platform/threads/named_objects.h"
#include "platform/threads/sync.h"

namespace devthreads {
namespace {

class EventObject : public Waitable {
 public:
  EventObject(bool manual, bool signalled) : Waitable(Kind::kEvent), manual_(manual), signalled_(signalled) {}

  WaitToken BeginWait() override {
    ++waiters_;
    return WaitToken{pulses_};
  }
  DWORD TryAcquire(const WaitToken& token) override {
    if (signalled_) {
      if (!manual_) signalled_ = false;
      return WAIT_OBJECT_0;
    }
    if (manual_ && token.pulseGeneration != pulses_) return WAIT_OBJECT_0;
    return WAIT_TIMEOUT;
  }
  void EndWait() override { --waiters_; }

  // Called with `lock` held.
  void Modify(DWORD function) {
    switch (function) {
      case EVENT_SET:
        signalled_ = true;
        if (manual_)
          changed.notify_all();
        else
          changed.notify_one();
        break;
      case EVENT_RESET:
        signalled_ = false;
        break;
      case EVENT_PULSE:
        if (manual_) {
          signalled_ = false;
          ++pulses_;
          changed.notify_all();
        } else {
          // A waiter is blocked on the condition and cannot leave without
          // the lock, so one of them consumes the signal.
          signalled_ = waiters_ > 0;
          if (signalled_) changed.notify_one();
        }
        break;
    }
  }

 private:
  bool manual_;
  bool signalled_;
  uint64_t pulses_ = 0;
  int waiters_ = 0;
};

}  // namespace
}  // namespace devthreads

HANDLE CreateEventW(void*, BOOL manualReset, BOOL initialState, LPCWSTR name) {
  return devthreads::CreateNamedObject(name, devthreads::Waitable::Kind::kEvent, [&] {
    return std::make_shared<devthreads::EventObject>(manualReset != FALSE, initialState != FALSE);
  });
}

BOOL EventModify(HANDLE event, DWORD function) {
  if (function < EVENT_PULSE || function > EVENT_SET) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto object = devthreads::WaitableOf(event, devthreads::Waitable::Kind::kEvent);
  if (!object) return FALSE;
  std::lock_guard<std::mutex> guard(object->lock);
  static_cast<devthreads::EventObject*>(object.get())->Modify(function);
  return TRUE;
}

BOOL SetEvent(HANDLE event) { return EventModify(event, EVENT_SET); }
BOOL ResetEvent(HANDLE event) { return EventModify(event, EVENT_RESET); }
BOOL PulseEvent(HANDLE event) { return EventModify(event, EVENT_PULSE); }
