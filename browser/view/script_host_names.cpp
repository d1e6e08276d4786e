// The script host's names: which host object or method a name stands for
// after a reference, the values of the host's members, assignment to
// "location.hash", and the script resources of a book that define names
// neither the host nor the page knows.
#include "browser/addresses/location.h"
#include "browser/host/page_services.h"
#include "browser/host/view_application.h"
#include "browser/view/script_context.h"
#include "browser/view/script_host_calls.h"
#include "platform/memory/allocator.h"
#include "script/builtins/builtin_arguments.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/host/host_properties.h"
#include "script/interpreter/script_run.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"
#include "storage/documents/document.h"

namespace {

// The property kind of a book's named script resources.
constexpr int32_t kScriptResourceKind = 7;

// Whether a host object's name may follow a reference with this member code.
bool AcceptsObjectName(int32_t code, int32_t atom) {
  switch (code) {
    case -1:
      return atom != kAtom_hash;
    case kAtom_document:
      return atom == kAtom_bookmarks || atom == kAtom_selection || atom == kAtom_location;
    case kAtom_window:
      return atom == kAtom_document || atom == kAtom_history || atom == kAtom_location || atom == kAtom_voice ||
             atom == kAtom_index;
    case kAtom_location:
      return atom == kAtom_hash;
    case kAtom_bookmarks:
    case kAtom_history:
    case kAtom_cart:
    case kAtom_selection:
    case kAtom_voice:
    case kAtom_index:
    case kAtom_audio:
      return false;
    default:
      return true;
  }
}

bool IsHostObjectCode(int32_t code) {
  return code == -1 || (code >= kAtom_document && code <= kAtom_audio && code != kAtom_hash);
}

bool WindowAccepts(int32_t atom) {
  switch (atom) {
    case kAtom_open: case kAtom_close: case kAtom_increase_font: case kAtom_decrease_font:
    case kAtom_dial: case kAtom_cond_index_search: case kAtom_start_popup_viewer:
    case kAtom_start_external_app: case kAtom_open_sync: case kAtom_send_to_pda:
    case kAtom_start_web_browser: case kAtom_rearrange: case kAtom_alert: case kAtom_sql_search:
    case kAtom_sql_bullet_search: case kAtom_scroll: case kAtom_current_index_entry:
    case kAtom_display_wordlist: case kAtom_flash_message: case kAtom_add_to_wordlist:
    case kAtom_add_entry_to_wordlist: case kAtom_display_search_history: case kAtom_ideogram_search:
    case kAtom_debug_alert: case kAtom_parseInt: case kAtom_parseFloat: case kAtom_isNaN:
    case kAtom_isFinite: case kAtom_setTimeout: case kAtom_clearTimeout: case kAtom_setInterval:
    case kAtom_clearInterval:
      return true;
    default:
      return atom >= kAtom_browse && atom <= kAtom_filtered_index_search;
  }
}

// The methods each host object accepts (the global scope's are window's).
bool AcceptsMethod(int32_t code, int32_t atom) {
  switch (code) {
    case -1:
    case kAtom_window:
      return WindowAccepts(atom);
    case kAtom_document:
      return atom == kAtom_close || (atom >= kAtom_goto_page && atom <= kAtom_goto_guide) ||
             atom == kAtom_goto_random_entry || atom == kAtom_search;
    case kAtom_bookmarks:
      return atom == kAtom_add || atom == kAtom_remove || atom == kAtom_display_list || atom == kAtom_previous ||
             atom == kAtom_next || atom == kAtom_goto;
    case kAtom_history:
      return atom == kAtom_back || atom == kAtom_forward || atom == kAtom_set_checkpoint ||
             atom == kAtom_goto_checkpoint || atom == kAtom_clear || atom == kAtom_length;
    case kAtom_cart:
      return atom == kAtom_add || atom == kAtom_remove || atom == kAtom_reset || atom == kAtom_submit ||
             atom == kAtom_export;
    case kAtom_selection:
      return atom == kAtom_copy || atom == kAtom_highlight || atom == kAtom_annotate || atom == kAtom_lookup ||
             atom == kAtom_language || atom == kAtom_text || atom == kAtom_href;
    case kAtom_location:
      return atom == kAtom_search || atom == kAtom_replace || atom == kAtom_href;
    case kAtom_voice:
      return atom == kAtom_read || atom == kAtom_say || atom == kAtom_system_play;
    case kAtom_index:
      return atom == kAtom_seek;
    case kAtom_audio:
      return atom == kAtom_play || atom == kAtom_stop || atom == kAtom_set_volume || atom == kAtom_pause ||
             atom == kAtom_resume || atom == kAtom_show || atom == kAtom_goto_track;
    default:
      return false;
  }
}

// The functions the host base carries out itself, on its own reference.
bool IsBaseFunction(int32_t atom) {
  return atom == kAtom_parseInt || atom == kAtom_parseFloat || atom == kAtom_isNaN || atom == kAtom_isFinite;
}

int32_t* Answer(int32_t* status, int32_t value) {
  *status = value;
  return status;
}

}  // namespace

DocumentView* ScriptHostCalls::ApplicationView(DocumentView* view) {
  ViewApplication* application = view->GetApplication();
  DocumentView* current = application != nullptr ? application->GetDocumentView() : nullptr;
  return current != nullptr ? current : view;
}

ScriptContext* ScriptHostCalls::ContextOf(DocumentView* view) { return ApplicationView(view)->GetScriptContext(); }

int32_t* DocumentView::ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                                     uint8_t create) {
  const int32_t atom = name.IsIndex() ? -1 : name.atom;
  const int32_t code = ref->memberCode;
  if (ref->subCode == 0 && atom >= kFirstHostNameAtom && atom <= kLastHostNameAtom) {
    if (AcceptsObjectName(code, atom)) {
      ref->owner = ScriptHostCalls::ApplicationView(this);
      ref->memberCode = atom;
      return Answer(status, kScriptOk);
    }
    if (code != -1) return Answer(status, kScriptMemberUnknown);
  }
  if (ref->subCode == 0 && IsHostObjectCode(code) &&
      ((atom >= kFirstHostMethodAtom && atom <= kLastHostMethodAtom) || atom == kAtom_length)) {
    if (AcceptsMethod(code, atom)) {
      ref->owner = this;
      // The global functions stay the host base's; every other method of
      // the global scope is window's.
      ref->memberCode = IsBaseFunction(atom) ? -1 : (code == -1 ? kAtom_window : code);
      ref->subCode = atom;
      return Answer(status, kScriptOk);
    }
    if (code != -1) return Answer(status, kScriptMemberUnknown);
  }
  if (code == kAtom_document && ref->subCode == 0) {
    // The page's forms by name.
    ScriptObject* forms = forms_ != nullptr ? forms_->AsScriptObject() : nullptr;
    if (forms == nullptr) return Answer(status, kScriptMemberUnknown);
    ScriptMemberRef formsRef;
    formsRef.owner = forms;
    if (*forms->ResolveMember(status, name, &formsRef, create) == kScriptOk) *ref = formsRef;
    return status;
  }
  const ScriptMemberRef original = *ref;
  if (*ScriptHostObject::ResolveMember(status, name, ref, create) != kScriptMemberUnknown) return status;
  // A name nobody knows may be a script resource of the book, which defines
  // it when it runs: loaded once, since the name is then the view's member.
  if (name.IsIndex() || name.text.IsEmpty() || !(original.memberCode == -1 || original.memberCode == kAtom_window)) {
    return status;
  }
  CompiledScript* script = DeviceNew<CompiledScript>();
  if (script == nullptr) return Answer(status, kScriptNoMemory);
  script->AddReference();
  const int32_t loaded = LoadNamedScript(name.text, script);
  if (loaded != kScriptOk) {
    script->Release();
    return Answer(status, loaded == kScriptMemberUnknown ? kScriptMemberUnknown : kScriptNoMemory);
  }
  ScriptContext* context = ScriptHostCalls::ContextOf(this);
  ScriptMemberRef added;
  added.owner = this;
  int32_t made = kScriptOk;
  ScriptHostObject::ResolveMember(&made, name, &added, 1);
  if (made == kScriptOk && context != nullptr) {
    ScriptRuntimeError error;
    RunCompiledScript(&context->interpreter, &made, script, context->scopeChain, context->valueStore,
                      context->globalObject, nullptr, nullptr, &error);
  } else if (context == nullptr) {
    made = kScriptNoMemory;
  }
  script->Release();
  if (made != kScriptOk) return Answer(status, kScriptNoMemory);
  *ref = original;
  return ScriptHostObject::ResolveMember(status, name, ref, create);
}

int32_t DocumentView::LoadNamedScript(const SharedWideString& name, CompiledScript* script) {
  DocumentSource* source = GetDocumentSource();
  Document* document = source != nullptr ? source->GetDocument() : nullptr;
  if (document == nullptr) return kScriptMemberUnknown;
  DocumentProperty property;
  if (!document->FindProperty(name.Chars(), name.length, kScriptResourceKind, &property, 0)) {
    return kScriptMemberUnknown;
  }
  const SharedWideString& text = property.text.IsEmpty() ? property.value : property.text;
  ScriptCompileError error;
  return CompileScript(text, script, &error) ? kScriptOk : kScriptCannotParse;
}

int32_t* DocumentView::GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                                      ScriptValueHandle* result, int32_t wantedType) {
  const int32_t code = ref.memberCode;
  if (code >= kAtom_BUL_CROSS_RED && code <= kAtom_BUL_HOSPITAL) return ResultInteger(status, store, code, result);
  if (code == kAtom_history && ref.subCode == kAtom_length) {
    return ResultInteger(status, store, GetHistoryIndex(), result);
  }
  if (code == kAtom_selection) {
    if (ref.subCode != kAtom_language && ref.subCode != kAtom_text) return Answer(status, kScriptCannotGet);
    ViewApplication* application = GetApplication();
    SharedWideString word;
    uint32_t language = 0;
    if (application == nullptr || !application->GetSelectedWord(&word, &language)) {
      store->Release(result);
      *result = kScriptUndefinedHandle;
      return Answer(status, kScriptOk);
    }
    if (ref.subCode == kAtom_language && !GetLanguageName(language, &word)) return Answer(status, kScriptNoMemory);
    return ResultString(status, store, word, result);
  }
  if (code == kAtom_location && (ref.subCode == kAtom_href || ref.subCode == kAtom_search)) {
    SharedWideString text;
    if (!source_ || !location_.url.GetText(&text, true)) return Answer(status, kScriptCannotGet);
    if (ref.subCode == kAtom_search) {
      SharedWideString query;
      if (!SplitQuery(text, &query, true)) query.Clear();
      text = query;
    }
    return ResultString(status, store, text, result);
  }
  if (code == kAtom_location) return Answer(status, kScriptCannotGet);
  return ScriptHostObject::GetMemberValue(status, ref, store, result, wantedType);
}

int32_t* DocumentView::SetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                                      ScriptValueHandle value) {
  if (ref.memberCode == kAtom_hash && ref.subCode == 0) {
    SharedWideString text;
    if (*store->ToString(status, value, &text, 0) != kScriptOk) return status;
    GoToFragment(text);
    return Answer(status, kScriptOk);
  }
  return ScriptHostObject::SetMemberValue(status, ref, store, value);
}
