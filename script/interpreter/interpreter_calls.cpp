// Calls of script functions, host methods and eval texts, and the end of a
// function (see interpreter_steps.h).
//
// A call never recurses in C: a script function or an eval text gets a new
// activation that becomes current while the caller's waits on the call
// stack; its end moves the caller back and pushes the result where the
// callee and the arguments were.
#include <typeinfo>

#include "platform/memory/allocator.h"
#include "script/builtins/builtin_global_object.h"
#include "script/objects/dynamic_object.h"
#include "script/values/atoms.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/interpreter/interpreter.h"
#include "script/objects/interpreter_function_object.h"
#include "script/interpreter/interpreter_steps.h"
#include "script/frames/scope_declarations.h"
#include "script/objects/script_object.h"
#include "script/operators/operators.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

constexpr WCHAR kEvalName[] = u"__eval_text";

// Pops the callee and the arguments and pushes *result (undefined when it
// is empty).
void ReplaceCall(ScriptCallFrame* frame, uint32_t argumentCount, ScriptValueHandle* result) {
  frame->operands.Pop(nullptr, argumentCount + 1);
  if (*result == kScriptEmptyHandle) *result = kScriptUndefinedHandle;
  int32_t status = kScriptOk;
  frame->Fail(*frame->operands.Push(&status, result));
}

// Reads *value through a member reference; kScriptCannotGet keeps the reference.
int32_t ReadThrough(ScriptValueStore* store, ScriptValueHandle* value) {
  int32_t status = kScriptOk;
  store->GetReferencedValue(&status, *value, value);
  return status == kScriptCannotGet ? kScriptOk : status;
}

// Suspends the caller and makes `callee` the current activation.
int32_t Enter(ScriptCallFrame* frame, ScriptActivation* callee) {
  int32_t status = kScriptOk;
  ScriptActivation* place = frame->calls.Enter(&status, frame->store);
  if (place == nullptr) return status;
  place->MoveFrom(*callee);
  frame->current = place;
  return kScriptOk;
}

// The activation that runs once the innermost call has ended.
ScriptActivation* CallerOf(ScriptCallFrame* frame) {
  ScriptActivation* top = frame->calls.Top();
  return top != nullptr ? top : &frame->outer;
}

int32_t EnterFunction(ScriptCallFrame* frame, ScriptFunctionObject* function,
                      uint32_t argumentCount, bool construct, ScriptValueHandle thisValue) {
  // Checked before the arguments are bound, so that a runaway recursion
  // stops cheaply.
  if (frame->calls.Depth() >= kScriptMaxCallDepth) return kScriptNoResources;
  // The callee is built in a place above the caller, which waits where it
  // is; a callee that cannot be built gives its place up again.
  int32_t status = kScriptOk;
  ScriptActivation* place = frame->calls.Enter(&status, frame->store);
  if (place == nullptr) return status;
  ScriptActivation& callee = *place;
  if (*function->BindArguments(&status, &frame->operands, argumentCount, &callee.scopes) !=
          kScriptOk ||
      *function->EnterCode(&status, &callee) != kScriptOk) {
    frame->calls.Leave();
    return status;
  }
  frame->current = place;
  callee.argumentCount = argumentCount;
  callee.construct = construct ? 1 : 0;
  callee.SetThis(thisValue);
  callee.stackDepth = frame->operands.Depth();
  callee.line = -1;  // not known until a Line runs; found from the code when reported
  return kScriptOk;
}

// eval(text): the text is compiled and runs as a new activation in the
// caller's scope chain with the caller's this-value; the value of its last
// PopResult is the call's value. Any other argument is the value itself.
int32_t EvaluateScriptText(ScriptCallFrame* frame, uint32_t argumentCount) {
  ScriptValueStore* store = frame->store;
  if (argumentCount != 1) return kScriptBadEval;
  if (frame->calls.Depth() >= kScriptMaxCallDepth) return kScriptNoResources;
  ScriptValueHandle argument = kScriptEmptyHandle;
  store->CopyValue(frame->operands.Peek(0), &argument);
  int32_t status = ReadThrough(store, &argument);
  if (status != kScriptOk) {
    store->Release(&argument);
    return status;
  }
  ScriptStringSlot* text = store->GetStringSlot(argument);
  if (text == nullptr) {
    ReplaceCall(frame, argumentCount, &argument);
    return kScriptOk;
  }
  CompiledScript* script = DeviceNew<CompiledScript>();
  if (script == nullptr) {
    store->Release(&argument);
    return kScriptNoMemory;
  }
  script->AddReference();
  ScriptCompileError error;
  bool compiled = CompileScript(text->text, script, &error, nullptr);
  store->Release(&argument);
  if (!compiled) {
    script->Release();
    return kScriptCannotParse;
  }

  ScriptActivation callee;
  callee.SetStore(store);
  callee.SetCode(script, 0, static_cast<int32_t>(script->CodeCount()));
  script->Release();  // the activation holds it now
  callee.argumentCount = argumentCount;
  callee.keepResult = 1;
  callee.SetThis(frame->current->thisValue);
  callee.stackDepth = frame->operands.Depth();
  callee.line = 1;
  if (!callee.name.FromChars(kEvalName, WideStrLen(kEvalName)) ||
      *callee.scopes.CopyFrom(&status, frame->current->scopes) != kScriptOk) {
    return kScriptNoMemory;
  }
  if (*ExecuteCompiledScript(&status, callee.code, callee.scopes.GetTopObject(), callee.scopes,
                             store) != kScriptOk) {
    return status;
  }
  // A text without any expression statement gives undefined, not what the
  // caller computed last.
  store->Release(&frame->result);
  return Enter(frame, &callee);
}

// The common call, f(...) with f a script function held by a plain object
// or the global object that stands for a scope of the chain: the steps of
// Call without the callee's value copied and moved on the way. False, with
// nothing done, for any other call; otherwise *status is the call's.
bool CallHeldFunction(ScriptCallFrame* frame, uint32_t argumentCount, int32_t* status) {
  ScriptValueStore* store = frame->store;
  ScriptObjectSlot* slot = store->GetObjectSlot(frame->operands.Peek(argumentCount));
  if (slot == nullptr || slot->ref.IsSelf() || slot->ref.owner == nullptr) return false;
  ScriptObject* owner = slot->ref.owner;
  if (&typeid(*owner) != &typeid(ScriptDynamicObject) &&
      &typeid(*owner) != &typeid(ScriptGlobalObject)) {
    return false;
  }
  // The owner as the this-value: the scope that stands for it (borrowed;
  // the chain holds it through the call's start).
  ScriptValueHandle scope = frame->current->scopes.ValueOf(owner);
  if (scope == kScriptEmptyHandle) return false;
  ScriptValueHandle read = kScriptEmptyHandle;
  if (!ReadMemberAtOnce(store, slot->ref, &read)) return false;
  ScriptObjectSlot* held = store->GetObjectSlot(read);
  if (held == nullptr || held->ref.owner == nullptr ||
      &typeid(*held->ref.owner) != &typeid(ScriptFunctionObject)) {
    store->Release(&read);
    return false;
  }
  *status = EnterFunction(frame, static_cast<ScriptFunctionObject*>(held->ref.owner),
                          argumentCount, false, scope);
  store->Release(&read);
  return true;
}

// Steps 1-6 of a call; the callee and the arguments stay on the stack
// unless a host method answered or eval gave its argument back.
int32_t Call(ScriptCallFrame* frame, uint32_t argumentCount, bool construct) {
  ScriptValueStore* store = frame->store;
  int32_t held = kScriptOk;
  if (!construct && CallHeldFunction(frame, argumentCount, &held)) return held;
  ScriptValueHandle callee = kScriptEmptyHandle;
  ScriptValueHandle thisValue = kScriptEmptyHandle;
  store->CopyValue(frame->operands.Peek(argumentCount), &callee);
  int32_t status = kScriptOk;

  if (construct) {
    // The callee's value first, then its construct member (kAtomConstruct).
    status = ReadThrough(store, &callee);
    ScriptObjectSlot* slot = store->GetObjectSlot(callee);
    if (status == kScriptOk && (slot == nullptr || slot->ref.owner == nullptr)) {
      status = kScriptInvalidType;
    }
    if (status == kScriptOk) store->NewPlainObject(&status, &thisValue);
    if (status == kScriptOk) {
      ScriptNameToken token;
      token.SetAtom(kScriptSubCodeConstruct);
      ScriptMemberRef ref = slot->ref;
      ref.owner->ResolveMember(&status, token, &ref, 0);
      if (status == kScriptMemberUnknown) status = kScriptInvalidType;
      if (status == kScriptOk) {
        ScriptValueHandle member = kScriptEmptyHandle;
        if (*store->NewReference(&status, ref, &member) == kScriptOk) {
          store->MoveValue(&member, &callee);
        }
      }
    }
  } else {
    ScriptObjectSlot* slot = store->GetObjectSlot(callee);
    if (slot == nullptr) {
      status = kScriptInvalidType;
    } else if (slot->ref.owner != nullptr &&
               slot->ref.owner->GetKind() == kScriptObjectKindDynamic) {
      // The owner as the this-value: a scope that stands for it already
      // (a function of the global object called by name) is shared.
      ScriptValueHandle scope = frame->current->scopes.ValueOf(slot->ref.owner);
      if (scope != kScriptEmptyHandle) {
        store->CopyValue(scope, &thisValue);
      } else {
        store->NewObject(&status, slot->ref.owner, &thisValue);
      }
    } else {
      store->CopyValue(callee, &thisValue);
    }
    if (status == kScriptOk) {
      // A function held by a plain object or the global object is read
      // there at once; anything else through its owner.
      ScriptObjectSlot* held = store->GetObjectSlot(callee);
      ScriptValueHandle read = kScriptEmptyHandle;
      if (held != nullptr && !held->ref.IsSelf() && ReadMemberAtOnce(store, held->ref, &read)) {
        store->MoveValue(&read, &callee);
      } else {
        status = ReadThrough(store, &callee);
      }
    }
  }

  if (status == kScriptOk) {
    ScriptObjectSlot* slot = store->GetObjectSlot(callee);
    ScriptObject* owner = slot != nullptr ? slot->ref.owner : nullptr;
    if (slot == nullptr) {
      status = kScriptInvalidType;
    } else if (owner == nullptr) {
      status = slot->ref.subCode == kScriptSubCodeEval && slot->ref.memberCode == -1
                   ? EvaluateScriptText(frame, argumentCount)
                   : kScriptInvalidType;
    } else if (owner->GetKind() != kScriptObjectKindFunction) {
      // A host or built-in method answers at once.
      ScriptValueHandle result = kScriptUndefinedHandle;
      ScriptMemberRef ref = slot->ref;
      if (*owner->Invoke(&status, ref, argumentCount, &frame->operands, &result) == kScriptOk) {
        ReplaceCall(frame, argumentCount, &result);
      } else {
        store->Release(&result);
      }
    } else {
      // The exact class compares by the address of its type record;
      // anything else is asked.
      ScriptFunctionObject* function = &typeid(*owner) == &typeid(ScriptFunctionObject)
                                           ? static_cast<ScriptFunctionObject*>(owner)
                                           : dynamic_cast<ScriptFunctionObject*>(owner);
      status = function == nullptr
                   ? kScriptInvalidType
                   : EnterFunction(frame, function, argumentCount, construct, thisValue);
    }
  }
  store->Release(&callee);
  store->Release(&thisValue);
  return status;
}

}  // namespace

void CallScriptFunction(ScriptInterpreter*, ScriptCallFrame* frame, uint32_t argumentCount,
                        bool construct) {
  if (argumentCount >= frame->operands.Depth()) {
    frame->Fail(kScriptStackUnderflow);
    return;
  }
  // Between instructions every value the run uses is held (the stack, the
  // activations, the result), so objects that only hold each other are
  // garbage here. Calls are where objects are made.
  if (frame->store->CycleCollectionDue()) frame->store->CollectCycles();
  int32_t status = Call(frame, argumentCount, construct);
  if (status != kScriptOk) {
    frame->Fail(status);
    ScriptValueHandle undefined = kScriptUndefinedHandle;
    ReplaceCall(frame, argumentCount, &undefined);
  }
}

void EndScriptFunction(ScriptCallFrame* frame, bool returned, bool* runEnded) {
  ScriptValueStore* store = frame->store;
  ScriptActivation& activation = *frame->current;
  *runEnded = false;
  if (!returned && activation.keepResult == 0) store->Release(&frame->result);
  if (frame->calls.Depth() == 0) {
    frame->ended = 1;
    *runEnded = true;
    return;
  }
  ScriptValueHandle result = frame->result;
  frame->result = kScriptEmptyHandle;
  if (result != kScriptEmptyHandle) {
    int32_t status = ReadThrough(store, &result);
    if (status != kScriptOk) {
      store->Release(&result);
      result = kScriptUndefinedHandle;
      frame->Fail(status);
    }
  }
  if (activation.construct != 0 && ScriptHandleType(result) != kScriptTypeObject) {
    store->Release(&result);
    store->CopyValue(activation.thisValue, &result);
  }
  // Whatever the callee left above its entry depth goes, then the callee's
  // value and the arguments below it.
  uint32_t depth = frame->operands.Depth();
  uint32_t taken = activation.argumentCount + 1;
  uint32_t floor = activation.stackDepth >= taken ? activation.stackDepth - taken : 0;
  if (depth < floor || activation.stackDepth < taken) frame->Fail(kScriptStackUnderflow);
  if (depth > floor) frame->operands.Pop(nullptr, depth - floor);
  // The variables of a call that nothing else holds are kept for the next
  // call of the function, as they are, instead of being released.
  int32_t variables = activation.scopes.VariableScope();
  if (variables >= 0) store->ParkVariables(activation.scopes.At(static_cast<uint32_t>(variables)));
  frame->calls.Leave();
  frame->current = CallerOf(frame);
  if (result == kScriptEmptyHandle) result = kScriptUndefinedHandle;
  int32_t status = kScriptOk;
  frame->Fail(*frame->operands.Push(&status, &result));
}
