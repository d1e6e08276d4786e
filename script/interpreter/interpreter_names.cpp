// ResolveName: a name on the stack becomes a reference to the variable it
// names, found through the current activation's scope chain (see
// interpreter_steps.h).
#include "script/values/atoms.h"
#include "script/interpreter/interpreter.h"
#include "script/interpreter/interpreter_steps.h"
#include "script/frames/scope_chain.h"
#include "script/objects/script_object.h"
#include "script/operators/operators.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

void ResolveScriptName(ScriptInterpreter*, ScriptCallFrame* frame) {
  ScriptValueStore* store = frame->store;
  if (frame->operands.Depth() == 0) {
    frame->Fail(kScriptStackUnderflow);
    return;
  }
  ScriptValueHandle name = kScriptEmptyHandle;
  frame->operands.Pop(&name, 1);

  ScriptNameToken token;
  if (ScriptStringSlot* text = store->GetStringSlot(name)) {
    token.SetText(text->text);
  } else if (ScriptHandleType(name) == kScriptTypeName) {
    token.SetAtom(static_cast<int32_t>(ScriptHandleIndex(name)));
  } else {
    store->Release(&name);
    frame->Fail(kScriptCannotResolve);
    return;
  }
  store->Release(&name);
  ResolveScriptToken(frame, token, nullptr, 0);
}

namespace {

// `null` is a word of the language, not a variable: it is the null object
// whatever the scopes hold, and no scope is asked for it (nor made to
// create it, which left a member without a value that no read could get).
bool NamesNull(const ScriptNameToken& token) {
  return token.text.length == 4 && !token.IsIndex() && token.text.Compare(u"null", 4, false) == 0;
}

}  // namespace

void ResolveScriptToken(ScriptCallFrame* frame, const ScriptNameToken& token,
                        ScriptSiteCacheEntry* entry, uint32_t site, bool readNow) {
  ScriptValueStore* store = frame->store;
  ScriptValueHandle reference = kScriptEmptyHandle;
  int32_t status = kScriptOk;
  if (NamesNull(token)) {
    if (*store->NewObject(&status, nullptr, &reference) != kScriptOk) {
      frame->Fail(status);
      return;
    }
  } else if (token.atom == kAtom_this) {
    ScriptValueHandle self = frame->current->thisValue;
    if (self == kScriptEmptyHandle) self = kScriptUndefinedHandle;
    store->CopyValue(self, &reference);
  } else {
    ScriptScopeChain& scopes = frame->current->scopes;
    ScriptMemberRef ref;
    if (*scopes.FindCached(&status, token, &ref, entry, site) != kScriptOk) {
      if (status == kScriptObjectUnknown || status == kScriptMemberUnknown) {
        frame->Fail(status, token.text);
      } else {
        frame->Fail(status);
      }
      return;
    }
    PushScopeReference(frame, ref, readNow);
    return;
  }
  frame->Fail(*frame->operands.Push(&status, &reference));
}

void PushScopeReference(ScriptCallFrame* frame, const ScriptMemberRef& ref, bool readNow) {
  ScriptValueStore* store = frame->store;
  ScriptValueHandle reference = kScriptEmptyHandle;
  int32_t status = kScriptOk;
  if (!(readNow && ReadMemberAtOnce(store, ref, &reference)) &&
      *store->NewReference(&status, ref, &reference) != kScriptOk) {
    frame->Fail(status);
    return;
  }
  frame->Fail(*frame->operands.Push(&status, &reference));
}
