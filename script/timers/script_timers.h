// ScriptTimers: setTimeout, clearTimeout, setInterval and clearInterval for
// the scripts of one view. A timer keeps its code as text and hands it to
// the view to run anew each time it fires; there is no function value
// behind a timer.
//
// The window timers belong to the owner's TimerTable, which gives every
// started timer its own identifier (from kFirstTableTimerId up) and reports
// a firing to this object by that identifier. The identifier is what the
// script receives and what clearTimeout and clearInterval name, so two
// timers never share one, and clearing the first of two intervals leaves
// the second running.
//
// UI thread only, like the TimerTable.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "foundation/system/timer_table.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "script/objects/script_object.h"

// What runs a timer's code: the view, in its script context. True when the
// text compiled and ran without a status.
class ScriptTextRunner {
 public:
  virtual bool RunScriptText(const SharedWideString& code) = 0;

 protected:
  ~ScriptTextRunner() = default;
};

// One timer of a view: the TimerTable's identifier (kNoTimer while none
// runs), whether it fires once (setTimeout) and the code it runs.
struct ScriptTimer {
  TimerId id = kNoTimer;
  int32_t oneShot = 0;
  SharedWideString code;
};

class ScriptTimers : public ScriptObject, public TimerHandler {
 public:
  ScriptTimers() = default;
  // ClearAll; detaches itself from the store that knows it.
  ~ScriptTimers() override;
  ScriptTimers(const ScriptTimers&) = delete;
  ScriptTimers& operator=(const ScriptTimers&) = delete;

  // Keeps the table and the runner; a bound object first clears every
  // timer it started.
  void Bind(TimerTable* table, ScriptTextRunner* runner);
  // Stops every timer and empties the list.
  void ClearAll();

  // setTimeout, clearTimeout, setInterval and clearInterval on the object
  // itself become the sub-code; anything else kScriptMemberUnknown.
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  // setTimeout(code, delay) and setInterval(code, delay): exactly two
  // arguments (else kScriptBadParameterCount); the answer is the new
  // timer's identifier as an integer; a timer that cannot start
  // kScriptNoResources. clearTimeout(id) and clearInterval(id): exactly one
  // argument; cancels the timer of that identifier and kind, nothing when
  // there is none. An unbound object, or a reference to anything but the
  // object's own members, kScriptBadMemberCode; another member
  // kScriptInvalidType.
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                  ScriptOperandStack* stack, ScriptValueHandle* result) override;
  void NotifyStore(int32_t event, ScriptValueStore* store) override;

  // The TimerTable's report: runs the timer's code through the runner; a
  // one-shot timer, or one whose code failed, is cancelled afterwards. The
  // code may clear or start timers itself.
  void OnTimer(TimerTable* table, TimerId id) override;

  uint32_t Count() const { return timers_.Count(); }
  const ScriptTimer* TimerAt(uint32_t index) const { return timers_.At(index); }

 private:
  int32_t* Start(int32_t* status, bool oneShot, uint32_t argumentCount,
                 ScriptOperandStack* stack, ScriptValueHandle* result);
  // Stops the first timer with both the identifier and the kind, and takes
  // it out of the list (the others keep their order).
  void CancelTimer(TimerId id, int32_t oneShot);
  int32_t Find(TimerId id, int32_t oneShot) const;  // oneShot -1: any kind
  void RemoveAt(uint32_t index);

  TimerTable* table_ = nullptr;
  ScriptTextRunner* runner_ = nullptr;
  ScriptValueStore* store_ = nullptr;
  SegmentedTypedArray<ScriptTimer> timers_;
};
