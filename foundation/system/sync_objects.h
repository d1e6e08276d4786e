// Thin wrappers of the platform's events and mutexes, and the sleep call.
// The system has no threads of its own: these exist for the speech plug-in,
// which is handed two events and a mutex and waits on them on its own
// thread, while the system sets and resets them on the UI thread.
//
// Every wrapper tolerates a missing handle (no call; false or null). A
// wrapper closes its handle when it is destroyed.
#pragma once

#include <cstdint>

#include "platform/threads/sync.h"
#include "platform/types/device_types.h"

// A manual-reset event, created clear.
class Event {
 public:
  Event() = default;
  ~Event() { Close(); }
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  // Creates the event (named, or not when `name` is null), closing a handle
  // held before. `newlyCreated` (optional) is false when the name already
  // existed, and false on failure. The handle, null on failure.
  HANDLE Create(LPCWSTR name, bool* newlyCreated);
  bool Set();
  // EventModify(EVENT_RESET)'s result.
  bool Reset();
  // True when the event is signalled within `milliseconds` (0 asks at once).
  bool Wait(DWORD milliseconds);
  HANDLE Handle() const { return handle_; }
  void Close();

 private:
  HANDLE handle_ = nullptr;
};

// A mutex, created not owned.
class Mutex {
 public:
  Mutex() = default;
  ~Mutex() { Close(); }
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

  HANDLE Create(LPCWSTR name, bool* newlyCreated);
  HANDLE Handle() const { return handle_; }
  void Close();

 private:
  HANDLE handle_ = nullptr;
};

// Suspends the calling thread (on the UI thread in tests: moves the virtual
// clock).
void SleepMs(DWORD milliseconds);
