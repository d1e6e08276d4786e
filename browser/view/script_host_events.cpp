// Scripts of page events: the event's text runs as the body of a function
// in the window's script context, with the page element that raised it as
// its "this" and scope, and with the first page move of the script recorded
// in the history.
#include "browser/host/page_script_objects.h"
#include "browser/host/view_application.h"
#include "browser/view/script_context.h"
#include "browser/view/script_host_calls.h"
#include "foundation/system/lifetime_guard.h"
#include "platform/memory/allocator.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/interpreter/script_run.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

constexpr uint32_t kStringParseError = 5037;  // "Error while parsing script"
constexpr int32_t kMessageError = 2;
// Script objects of page elements: a form control (whose form is its
// owner) and another element.
constexpr int32_t kKindFormControl = 3;
constexpr int32_t kKindPageElement = 4;

const char16_t kEventFunction[] = u"__widget_event";

// The scopes of an element's script: the form that holds a form control
// (where the script's names are kept), the element, and an empty object on
// top (where they are kept for any other element).
bool PushElementScopes(ScriptValueStore* store, ScriptScopeChain* chain, ScriptObject* source,
                       ScriptValueHandle self) {
  int32_t status = kScriptOk;
  ScriptObject* form = nullptr;
  if (source->GetKind() == kKindFormControl) {
    FormControlScriptObject* control = dynamic_cast<FormControlScriptObject*>(source);
    form = control != nullptr ? control->GetOwnerForm() : nullptr;
  }
  if (form != nullptr) chain->PushObject(&status, form, true);
  if (status == kScriptOk) chain->PushValue(&status, self, false);
  ScriptValueHandle variables = kScriptEmptyHandle;
  if (status == kScriptOk) store->NewPlainObject(&status, &variables);
  if (status == kScriptOk) chain->PushValue(&status, variables, form == nullptr);
  store->Release(&variables);
  return status == kScriptOk;
}

}  // namespace

bool DocumentView::DispatchWidgetEvent(ScriptObject* source, const SharedWideString& script, Point point,
                                       SharedWideString* result) {
  eventPoint_ = point;
  if (result != nullptr) result->Clear();
  DocumentView* current = ScriptHostCalls::ApplicationView(this);
  ScriptContext* context = current->GetScriptContext();
  if (context == nullptr || context->valueStore == nullptr) return false;
  LifetimeGuard guard(current->Anchor());
  ScriptValueStore* store = context->valueStore;

  CompiledScript* compiled = DeviceNew<CompiledScript>();
  if (compiled == nullptr) return false;
  compiled->AddReference();
  ScriptScopeChain chain(store);
  int32_t status = kScriptOk;
  chain.CopyFrom(&status, context->scopeChain);
  ScriptValueHandle self = kScriptEmptyHandle;
  bool ok = status == kScriptOk;
  const int32_t kind = source != nullptr ? source->GetKind() : -1;
  if (ok && (kind == kKindFormControl || kind == kKindPageElement)) {
    ok = *store->NewObject(&status, source, &self) == kScriptOk && PushElementScopes(store, &chain, source, self);
  } else if (ok) {
    store->CopyValue(context->globalObject, &self);
  }

  // The script's first page move is recorded once, unless the view records
  // in its own way already.
  const int32_t saved = current->historyRecording_;
  if (saved == kRecordNormally) current->historyRecording_ = kRecordOnce;

  const SharedWideString name(reinterpret_cast<const WCHAR*>(kEventFunction));
  if (ok) {
    ScriptCompileError error;
    if (!CompileScript(script, compiled, &error, &name)) {
      ok = false;
      ViewApplication* application = current->GetApplication();
      if (application != nullptr) application->ShowMessage(-1, kStringParseError, kMessageError);
    }
  }
  ScriptValueHandle value = kScriptEmptyHandle;
  if (ok) {
    ScriptRuntimeError error;
    RunCompiledScript(&context->interpreter, &status, compiled, chain, store, self, &name, &value, &error);
    ok = status == kScriptOk;
  }
  if (guard.IsWatching() && saved != kRecordOnce) current->historyRecording_ = saved;
  if (ok && result != nullptr) {
    int32_t converted = kScriptOk;
    if (*store->ToString(&converted, value, result, 0) != kScriptOk) result->Clear();
  }
  store->Release(&value);
  store->Release(&self);
  compiled->Release();
  return ok;
}
