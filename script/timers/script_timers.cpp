// The script timers of a view (see script_timers.h).
#include "script/timers/script_timers.h"

#include <utility>

#include "script/builtins/builtin_arguments.h"
#include "script/values/atoms.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

ScriptTimers::~ScriptTimers() {
  ClearAll();
  if (store_ != nullptr) store_->DetachObject(this);
}

void ScriptTimers::Bind(TimerTable* table, ScriptTextRunner* runner) {
  if (table_ != nullptr || runner_ != nullptr) ClearAll();
  table_ = table;
  runner_ = runner;
}

void ScriptTimers::ClearAll() {
  for (uint32_t i = 0; i < timers_.Count(); ++i) {
    ScriptTimer* timer = timers_.At(i);
    if (table_ != nullptr && timer->id != kNoTimer) table_->Stop(this, &timer->id);
    timer->code.Clear();
  }
  timers_.count = 0;
}

void ScriptTimers::NotifyStore(int32_t event, ScriptValueStore* store) {
  store_ = event == kScriptStoreAttached ? store : nullptr;
}

int32_t* ScriptTimers::ResolveMember(int32_t* status, const ScriptNameToken& name,
                                     ScriptMemberRef* ref, uint8_t /*create*/) {
  if (!ref->IsSelf() || name.atom < kAtom_setTimeout || name.atom > kAtom_clearInterval) {
    *status = kScriptMemberUnknown;
    return status;
  }
  ref->owner = this;
  ref->subCode = name.atom;
  *status = kScriptOk;
  return status;
}

int32_t* ScriptTimers::Invoke(int32_t* status, const ScriptMemberRef& ref,
                              uint32_t argumentCount, ScriptOperandStack* stack,
                              ScriptValueHandle* result) {
  *status = kScriptOk;
  if (ref.memberCode != -1 || table_ == nullptr || runner_ == nullptr) {
    *status = kScriptBadMemberCode;
    return status;
  }
  switch (ref.subCode) {
    case kAtom_setTimeout:
    case kAtom_setInterval:
      return Start(status, ref.subCode == kAtom_setTimeout, argumentCount, stack, result);
    case kAtom_clearTimeout:
    case kAtom_clearInterval: {
      if (argumentCount != 1) {
        *status = kScriptBadParameterCount;
        return status;
      }
      int32_t id = 0;
      if (*ArgumentToInteger(status, stack, argumentCount, 0, &id) != kScriptOk) return status;
      CancelTimer(id, ref.subCode == kAtom_clearTimeout ? 1 : 0);
      return status;
    }
    default:
      *status = kScriptInvalidType;
      return status;
  }
}

int32_t* ScriptTimers::Start(int32_t* status, bool oneShot, uint32_t argumentCount,
                             ScriptOperandStack* stack, ScriptValueHandle* result) {
  if (argumentCount != 2) {
    *status = kScriptBadParameterCount;
    return status;
  }
  SharedWideString code;
  int32_t delay = 0;
  if (*ArgumentToString(status, stack, argumentCount, 0, &code) != kScriptOk ||
      *ArgumentToInteger(status, stack, argumentCount, 1, &delay) != kScriptOk) {
    return status;
  }
  if (delay < 0) delay = 0;  // a delay in the past fires at once
  ScriptTimer* timer = timers_.AppendSlot();
  if (timer == nullptr) {
    *status = kScriptNoMemory;
    return status;
  }
  timer->id = kNoTimer;
  timer->oneShot = oneShot ? 1 : 0;
  timer->code.Clear();
  TimerId id = kNoTimer;
  const uint32_t interval = static_cast<uint32_t>(delay);
  const bool started = oneShot ? table_->StartOnce(this, interval, &id, false)
                               : table_->StartRepeating(this, interval, &id);
  if (!started) {
    RemoveAt(timers_.Count() - 1);
    *status = kScriptNoResources;
    return status;
  }
  // The table's identifiers lie in [kFirstTableTimerId, kLastTableTimerId],
  // so the script's integer holds them whole.
  if (*ResultInteger(status, CallStore(stack), static_cast<int32_t>(id), result) != kScriptOk) {
    table_->Stop(this, &id);
    RemoveAt(timers_.Count() - 1);
    return status;
  }
  timer = timers_.At(timers_.Count() - 1);
  timer->id = id;
  timer->code = std::move(code);
  return status;
}

int32_t ScriptTimers::Find(TimerId id, int32_t oneShot) const {
  if (id == kNoTimer) return -1;
  for (uint32_t i = 0; i < timers_.Count(); ++i) {
    const ScriptTimer* timer = timers_.At(i);
    if (timer->id == id && (oneShot < 0 || timer->oneShot == oneShot)) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

void ScriptTimers::RemoveAt(uint32_t index) {
  const uint32_t last = timers_.Count() - 1;
  for (uint32_t i = index; i < last; ++i) *timers_.At(i) = std::move(*timers_.At(i + 1));
  ScriptTimer* freed = timers_.At(last);
  freed->id = kNoTimer;
  freed->code.Clear();
  timers_.count = last;
}

void ScriptTimers::CancelTimer(TimerId id, int32_t oneShot) {
  int32_t index = Find(id, oneShot);
  if (index < 0) return;
  ScriptTimer* timer = timers_.At(static_cast<uint32_t>(index));
  if (table_ != nullptr) table_->Stop(this, &timer->id);
  RemoveAt(static_cast<uint32_t>(index));
}

void ScriptTimers::OnTimer(TimerTable* /*table*/, TimerId id) {
  int32_t index = Find(id, -1);
  if (index < 0 || runner_ == nullptr) return;
  // The code may clear or start timers, which moves or frees the entry and
  // its text: run a copy, and find the entry again afterwards.
  const ScriptTimer* timer = timers_.At(static_cast<uint32_t>(index));
  const int32_t oneShot = timer->oneShot;
  SharedWideString code(timer->code);
  const bool ran = runner_->RunScriptText(code);
  if (!ran || oneShot != 0) CancelTimer(id, oneShot);
}
