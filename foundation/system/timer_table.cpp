// TimerTable: entries in a segmented array, numbers from a counter, the
// dispatch of a fired timer to its handler, and the owner window's timers.
#include "foundation/system/timer_table.h"

#include "platform/windows/timers.h"

TimerTable::TimerTable() : entries_(static_cast<int32_t>(sizeof(TimerEntry))) {}

TimerTable::~TimerTable() {
  for (uint32_t i = 0; i < entries_.Count(); ++i) {
    TimerEntry* entry = Entry(i);
    if (!entry->stopped) StopOwnerTimer(this, entry);
  }
}

int32_t TimerTable::Find(TimerId id) const {
  if (id == kNoTimer) return -1;
  for (uint32_t i = 0; i < entries_.Count(); ++i)
    if (static_cast<TimerId>(EntryAt(i)->platformId) == id) return static_cast<int32_t>(i);
  return -1;
}

TimerId TimerTable::NextFreeTimerNumber() const {
  TimerId next = kFirstTableTimerId;
  for (uint32_t i = 0; i < entries_.Count(); ++i) {
    TimerId id = static_cast<TimerId>(EntryAt(i)->requestedId);
    if (id >= next) next = id + 1;
  }
  return next;
}

bool TimerTable::AnyRunning() const {
  for (uint32_t i = 0; i < entries_.Count(); ++i)
    if (!EntryAt(i)->stopped) return true;
  return false;
}

// The next number after the last one given; after the last number the count
// starts again at the first, passing over numbers still in use.
TimerId TimerTable::TakeNumber() {
  TimerId number = lastNumber_;
  for (;;) {
    number = number >= kLastTableTimerId ? kFirstTableTimerId : number + 1;
    bool used = false;
    for (uint32_t i = 0; i < entries_.Count() && !used; ++i)
      used = static_cast<TimerId>(EntryAt(i)->requestedId) == number;
    if (!used) break;
  }
  lastNumber_ = number;
  return number;
}

bool TimerTable::Add(TimerEntry* entry, TimerId* id) {
  entry->requestedId = static_cast<UINT_PTR>(TakeNumber());
  entry->stopped = 0;
  if (!StartOwnerTimer(this, entry)) return false;
  if (entries_.Append(entry) < 0) {
    StopOwnerTimer(this, entry);
    return false;
  }
  *id = static_cast<TimerId>(entry->platformId);
  return true;
}

bool TimerTable::StartOnce(TimerHandler* handler, uint32_t interval, TimerId* id, bool stopPrevious) {
  if (id == nullptr) return false;
  if (stopPrevious && *id != kNoTimer) Stop(handler, id);
  TimerEntry entry{0, 0, handler, 0, interval, 0};
  return Add(&entry, id);
}

bool TimerTable::StartRepeating(TimerHandler* handler, uint32_t interval, TimerId* id) {
  if (id == nullptr) return false;
  if (*id != kNoTimer) Stop(handler, id);
  TimerEntry entry{0, 0, handler, 1, interval, 0};
  return Add(&entry, id);
}

void TimerTable::Stop(TimerHandler*, TimerId* id) {
  if (id == nullptr) return;
  int32_t index = Find(*id);
  if (index < 0) return;
  TimerEntry* entry = Entry(static_cast<uint32_t>(index));
  if (!entry->stopped) StopOwnerTimer(this, entry);
  entries_.RemoveAt(static_cast<uint32_t>(index), 1);
  *id = kNoTimer;
}

bool TimerTable::Dispatch(TimerId id) {
  int32_t index = Find(id);
  if (index < 0) return false;
  TimerEntry* entry = Entry(static_cast<uint32_t>(index));
  if (!entry->repeating && !entry->stopped) StopOwnerTimer(this, entry);
  // The handler may start and stop timers, which moves entries: nothing of
  // the entry is used after the call.
  TimerHandler* handler = entry->handler;
  if (handler != nullptr) handler->OnTimer(this, id);
  return true;
}

// ---- Window timers of the owner

bool StartOwnerTimer(TimerTable* table, TimerEntry* entry) {
  entry->platformId = SetTimer(table->owner(), entry->requestedId, entry->interval, nullptr);
  return entry->platformId != 0;
}

bool StopOwnerTimer(TimerTable* table, TimerEntry* entry) {
  KillTimer(table->owner(), entry->platformId);
  entry->stopped = 1;
  return true;
}

void SetOwnerWindow(TimerTable* table, HWND window) { table->set_owner(window); }
