// TimerTable: the timers of one window's owner. Each entry runs a handler
// object on a platform timer of the owner window, once or repeatedly.
//
// Every started timer gets its own identifier, a number of the table from
// kFirstTableTimerId up (so never one of the window's own fixed timers, such
// as 1 and 133 of the main window), and the handler is kept in the entry:
// any number of timers may share one handler (all the script timers of a
// view do), and the platform's WM_TIMER is dispatched by identifier alone.
// Numbers are not reused while the table's counter has numbers left.
//
// A one-shot timer's platform timer is stopped, and its entry marked
// stopped, before its handler runs; the entry stays in the table until the
// owner stops it with Stop (which it does with the identifier the handler
// received).
//
// Not thread-safe: a TimerTable belongs to the UI thread that owns its
// window and is used only there. Work that arises on another thread reaches
// the UI thread with PostMessageW (which is thread-safe), and the UI thread
// then starts its timers.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array.h"
#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"

// A timer's identifier as callers keep it; kNoTimer while none runs.
using TimerId = intptr_t;
constexpr TimerId kNoTimer = -1;
constexpr TimerId kFirstTableTimerId = 0x100;
constexpr TimerId kLastTableTimerId = 0x7FFFFFFF;

class TimerTable;

// What a timer runs: its first (and only) operation.
class TimerHandler {
 public:
  virtual void OnTimer(TimerTable* table, TimerId id) = 0;

 protected:
  ~TimerHandler() = default;
};

// Pointer-sized identifiers and handler, so nothing is cut on a 64-bit host.
struct TimerEntry {
  UINT_PTR platformId;   // what the platform answered when the timer started
  UINT_PTR requestedId;  // the number of the table asked for
  TimerHandler* handler;
  uint32_t repeating;    // 1 repeating, 0 one-shot
  uint32_t interval;     // milliseconds
  uint32_t stopped;      // 1 once the platform timer is stopped
};

class TimerTable {
 public:
  TimerTable();
  // Stops the platform timers still running.
  ~TimerTable();
  TimerTable(const TimerTable&) = delete;
  TimerTable& operator=(const TimerTable&) = delete;

  // Stops the timer in `*id` first when `stopPrevious` and it is not kNoTimer.
  bool StartOnce(TimerHandler* handler, uint32_t interval, TimerId* id, bool stopPrevious);
  // Stops the timer in `*id` first when it is not kNoTimer.
  bool StartRepeating(TimerHandler* handler, uint32_t interval, TimerId* id);
  // When `*id` names an entry: stops its platform timer unless stopped,
  // removes the entry and sets `*id` to kNoTimer. Anything else does nothing.
  void Stop(TimerHandler* handler, TimerId* id);
  // For the owner window's WM_TIMER: runs the entry's handler (stopping a
  // one-shot timer first). False when no entry has that identifier.
  bool Dispatch(TimerId id);
  // Starts the entry's platform timer with a new number and appends it; on
  // success `*id` receives its identifier. False, with nothing left running,
  // when the timer cannot start or the entry cannot be stored.
  bool Add(TimerEntry* entry, TimerId* id);

  // Whether any entry's timer still runs.
  bool AnyRunning() const;
  // The largest identifier in use plus one (at least kFirstTableTimerId).
  TimerId NextFreeTimerNumber() const;

  HWND owner() const { return owner_; }
  void set_owner(HWND window) { owner_ = window; }
  uint32_t Count() const { return entries_.Count(); }
  const TimerEntry* EntryAt(uint32_t index) const {
    return static_cast<const TimerEntry*>(entries_.At(index));
  }

 private:
  int32_t Find(TimerId id) const;
  TimerEntry* Entry(uint32_t index) { return static_cast<TimerEntry*>(entries_.At(index)); }
  TimerId TakeNumber();

  HWND owner_ = nullptr;
  SegmentedArray entries_;
  TimerId lastNumber_ = kFirstTableTimerId - 1;
};

// The platform side of a TimerTable's timers: starting and stopping an
// entry's timer on the table's owner window.
//
// SetTimer(owner, the entry's requested identifier, its interval, no
// callback); the answer becomes the entry's platform identifier. True when
// it is not zero.
bool StartOwnerTimer(TimerTable* table, TimerEntry* entry);
// KillTimer(owner, the entry's platform identifier) and marks the entry
// stopped, also when the platform no longer knew the timer. True.
bool StopOwnerTimer(TimerTable* table, TimerEntry* entry);
void SetOwnerWindow(TimerTable* table, HWND window);
