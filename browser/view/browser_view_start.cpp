// Starting and closing the browser view: the window's script context (the
// built-in globals with the view as the global object, the scope chain, the
// timers), the frame set's first frame, the open-view word of the global
// settings, and the look-up history.
#include "browser/host/page_services.h"
#include "browser/host/view_application.h"
#include "browser/host/view_lookup_history.h"
#include "browser/loader/document_loader.h"
#include "browser/view/browser_view.h"
#include "layout/drawing/drawing_surface.h"
#include "platform/memory/allocator.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/interpreter/interpreter_builtins.h"
#include "script/interpreter/script_run.h"
#include "script/values/value_store.h"
#include "storage/settings/global_settings_file.h"

bool BrowserView::Start(bool restarting) {
  scriptContext_.interpreter.SetErrorSink(scriptErrorSink_);
  BindScriptContext();
  scriptContext_.timers.Bind(timerTable_, &timerRunner_);
  pendingFocusMode_ = kFocusNone;
  ApplyFrameBorderSetting();
  RemoveAllFrames();
  ClearPageLinks();
  if (surface_ != nullptr) frameset_.SetParent(surface_);
  AttachFrameset();
  const bool started = DocumentView::Start(restarting);
  MarkOpenView(true);
  if (lookupHistory_ != nullptr) lookupHistory_->SetLoader(loader_);
  return started;
}

// The view is the global object: the built-ins go into it, and its object
// value is the innermost scope (the one that receives declarations), with
// the page's forms outside it. A step that fails leaves the rest undone;
// scripts then find fewer names, and the view goes on without them.
bool BrowserView::BindScriptContext() {
  ScriptValueStore* store = scriptContext_.valueStore;
  if (store == nullptr) return false;
  scriptContext_.scopeChain.Clear();
  scriptContext_.scopeChain.SetStore(store);
  int32_t status = kScriptOk;
  if (*InstallBuiltinObjects(&scriptContext_.interpreter, &status, store, &scriptContext_.globalObject, this) !=
      kScriptOk) {
    return false;
  }
  ScriptObject* forms = forms_ != nullptr ? forms_->AsScriptObject() : nullptr;
  if (forms != nullptr && *scriptContext_.scopeChain.PushObject(&status, forms, false) != kScriptOk) return false;
  return *scriptContext_.scopeChain.PushValue(&status, scriptContext_.globalObject, true) == kScriptOk;
}

bool BrowserView::RunScriptText(const SharedWideString& code) {
  ScriptValueStore* store = scriptContext_.valueStore;
  if (store == nullptr || scriptContext_.scopeChain.Depth() == 0) return false;
  CompiledScript* script = DeviceNew<CompiledScript>();
  if (script == nullptr) return false;
  script->AddReference();
  ScriptCompileError compileError;
  bool ran = false;
  if (CompileScript(code, script, &compileError)) {
    int32_t status = kScriptOk;
    ScriptRuntimeError error;
    RunCompiledScript(&scriptContext_.interpreter, &status, script, scriptContext_.scopeChain, store,
                      scriptContext_.globalObject, nullptr, nullptr, &error);
    ran = error.status == kScriptOk;
  }
  script->Release();
  return ran;
}

void BrowserView::CloseView() {
  if (lookupHistory_ != nullptr) lookupHistory_->SaveIfOpen();
  CloseCurrentDocument();
  DropFocus();
  LeaveParent();
  RemoveAllFrames();
  ClearPageLinks();
  DeleteSpareFrameViews();
  SetController(nullptr);
  ReleaseScriptContext();
  MarkOpenView(false);
}

void BrowserView::ReleaseScriptContext() {
  ScriptValueStore* store = scriptContext_.valueStore;
  if (store != nullptr && (scriptContext_.scopeChain.Depth() != 0 || scriptContext_.globalObject != kScriptEmptyHandle)) {
    ReleaseMembers();
    scriptContext_.scopeChain.Clear();
    store->Release(&scriptContext_.globalObject);
  }
  scriptContext_.timers.ClearAll();
}

void BrowserView::MarkOpenView(bool open) {
  GlobalSettingsFile* file = settingsFile_ != nullptr ? settingsFile_ : GetSettingsFileOfWindowSet(window_);
  if (file == nullptr && loader_ != nullptr) file = loader_->GetSettingsFile();
  if (file == nullptr) return;
  // A settings file opened read-only keeps the word as it was; the view
  // goes on either way.
  file->SetFlag300(open);
  file->Save();
}

// The frame set draws no borders of its own in this build, so there is no
// setting to take.
void BrowserView::ApplyFrameBorderSetting() {}

// The frames are arranged in the rectangle they had. A frame set never
// arranged yet (a view placed by its owner rather than by the window)
// takes the place the view had, so that the view does not shrink to
// nothing.
void BrowserView::RearrangeFrameset() {
  const Rect& arranged = frameset_.ArrangedRect();
  Rect own{};
  if ((arranged.width <= 0 || arranged.height <= 0) && GetBounds(&own) && own.width > 0 && own.height > 0) {
    Rect remaining{};
    frameset_.Arrange(&remaining, own);
    return;
  }
  frameset_.Relayout();
}
