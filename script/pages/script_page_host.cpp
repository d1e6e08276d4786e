// Running a script page (see script_page_host.h).
#include "script/pages/script_page_host.h"

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/encoded_string/text_escape.h"
#include "platform/memory/allocator.h"
#include "script/builtins/builtin_arguments.h"
#include "script/bytecode/compiled_script.h"
#include "script/interpreter/interpreter.h"
#include "script/interpreter/interpreter_builtins.h"
#include "script/interpreter/script_run.h"
#include "script/objects/dynamic_object.h"
#include "script/values/atoms.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

// More pieces than this since the last pause pause the run again.
constexpr int32_t kPiecesPerPause = 10;

bool IsPageObject(int32_t code) { return code >= kAtom_Response && code <= kAtom_Frameset; }

// The members each page object accepts (methods and properties).
bool AcceptedMember(int32_t object, int32_t atom) {
  switch (object) {
    case kAtom_Response:
      return atom == kAtom_Write || atom == kAtom_End || atom == kAtom_Redirect ||
             atom == kAtom_Flush || atom == kAtom_AppendToLog || atom == kAtom_AddHeader ||
             atom == kAtom_clear || atom == kAtom_Buffer || atom == kAtom_ContentType ||
             atom == kAtom_Status;
    case kAtom_Server:
      return atom == kAtom_HTMLEncode || atom == kAtom_URLEncode || atom == kAtom_ScriptTimeout;
    case kAtom_Request:
      return atom == kAtom_QueryString || atom == kAtom_ServerVariables;
    case kAtom_Session:
      return atom == kAtom_Contents || atom == kAtom_Timeout || atom == kAtom_SessionID ||
             atom == kAtom_CodePage || atom == kAtom_LCID;
    case kAtom_Frameset:
      return atom == kAtom_Use;
    default:
      return false;
  }
}

// The properties that are accepted when set and ignored.
bool IgnoredProperty(int32_t object, int32_t atom) {
  return (object == kAtom_Response &&
          (atom == kAtom_Buffer || atom == kAtom_ContentType || atom == kAtom_Status)) ||
         (object == kAtom_Server && atom == kAtom_ScriptTimeout) ||
         (object == kAtom_Session && (atom == kAtom_Timeout || atom == kAtom_SessionID ||
                                      atom == kAtom_CodePage || atom == kAtom_LCID));
}

bool AppendAscii(SharedWideString* text, const char* ascii) {
  for (; *ascii != '\0'; ++ascii) {
    WCHAR c = static_cast<WCHAR>(*ascii);
    if (!text->AppendChars(&c, 1)) return false;
  }
  return true;
}

bool PauseTest(void* host) { return static_cast<ScriptPageHost*>(host)->FlushDue(); }

// The text escaped as markup (the four entities), or percent-encoded with
// the strict safe set.
bool EscapeText(const SharedWideString& text, bool markup, SharedWideString* out) {
  if (!markup) {
    *out = text;
    return out->UrlEscape(true, true);
  }
  EncodedString source;
  EncodedString escaped;
  if (!source.FromWide(text.length > 0 ? text.Chars() : u"", static_cast<int32_t>(text.length)) ||
      !XmlEscape(source, &escaped, true)) {
    return false;
  }
  out->Clear();
  return escaped.IsEmpty() || out->AssignEncodedString(escaped);
}

}  // namespace

// ---- Sessions

ScriptPageEnvironment::~ScriptPageEnvironment() {
  for (uint32_t i = 0; i < sessions_.Count(); ++i) store_->Release(&sessions_.At(i)->value);
}

int32_t* ScriptPageEnvironment::GetSession(int32_t* status, const SharedWideString& bookAddress,
                                           ScriptValueHandle* value) {
  *status = kScriptOk;
  for (uint32_t i = 0; i < sessions_.Count(); ++i) {
    if (sessions_.At(i)->address.CompareTo(bookAddress) == 0) {
      store_->Release(value);
      store_->CopyValue(sessions_.At(i)->value, value);
      return status;
    }
  }
  ScriptValueHandle fresh = kScriptEmptyHandle;
  if (*store_->NewPlainObject(status, &fresh) != kScriptOk) return status;
  static_cast<ScriptDynamicObject*>(store_->GetObjectSlot(fresh)->ref.owner)
      ->SetMembersStartUndefined(true);
  Session* session = sessions_.AppendSlot();
  if (session == nullptr) {
    store_->Release(&fresh);
    *status = kScriptNoMemory;
    return status;
  }
  session->address = bookAddress;
  session->value = fresh;
  store_->Release(value);
  store_->CopyValue(fresh, value);
  return status;
}

// ---- The host

ScriptPageHost::ScriptPageHost(ScriptPageEnvironment* environment)
    : environment_(environment), store_(environment->Store()) {
  chain_.SetStore(store_);
}

ScriptPageHost::~ScriptPageHost() {
  Reset();
  store_->Release(&session_);
  if (script_ != nullptr) script_->Release();
  delete interpreter_;
}

ScriptAppEnvironment* ScriptPageHost::GetAppEnvironment(int32_t, int32_t) {
  return environment_->Environment();
}

void ScriptPageHost::Reset() {
  if (frame_ != nullptr) {
    ScriptRuntimeError ignored;
    FinishScriptRun(interpreter_, &ignored, frame_, nullptr);
    frame_ = nullptr;
  }
  chain_.Clear();
  store_->Release(&global_);
  ReleaseMembers();
  output_.Clear();
  pending_ = kPendingNone;
  redirectTarget_.Clear();
  flushRequested_ = 0;
  flushMark_ = -1;
}

int32_t ScriptPageHost::Start(CompiledScript* script, ScriptValueHandle session,
                              const SharedWideString& pageAddress, DocumentSource* bookSource) {
  CompiledScript::Assign(&script_, script);
  store_->Release(&session_);
  store_->CopyValue(session, &session_);
  bookSource_.Assign(bookSource);
  pageAddress_ = pageAddress;
  return BeginRun();
}

int32_t ScriptPageHost::Restart(const SharedWideString& pageAddress) {
  Reset();
  pageAddress_ = pageAddress;
  return BeginRun();
}

int32_t ScriptPageHost::BeginRun() {
  if (interpreter_ == nullptr) {
    interpreter_ = DeviceNew<ScriptInterpreter>();
    if (interpreter_ == nullptr || interpreter_->GetMathObject() == nullptr) return kScriptNoMemory;
  }
  int32_t status = kScriptOk;
  // The built-ins live in a plain global object beneath the host, which is
  // the innermost scope and receives the page's variables.
  if (*InstallBuiltinObjects(interpreter_, &status, store_, &global_, nullptr) != kScriptOk ||
      *chain_.PushValue(&status, global_, false) != kScriptOk ||
      *chain_.PushObject(&status, this, true) != kScriptOk) {
    return status;
  }
  if (!MakeQueryText(pageAddress_, &queryText_)) return kScriptNoMemory;
  flushRequested_ = 0;
  ScriptValueHandle self = chain_.At(chain_.Depth() - 1);
  PrepareScriptRun(interpreter_, &status, &frame_, script_, chain_, store_, self, nullptr);
  return status;
}

bool ScriptPageHost::FlushDue() {
  const int32_t count = static_cast<int32_t>(output_.Count());
  if (flushRequested_ == 0 && !(flushMark_ >= 0 && count - flushMark_ > kPiecesPerPause)) {
    return false;
  }
  flushMark_ = count;
  flushRequested_ = 0;
  return true;
}

int32_t ScriptPageHost::RunStep(bool* finished) {
  *finished = true;
  if (frame_ == nullptr) return kScriptOk;
  int32_t status = kScriptOk;
  ExecuteInstructions(interpreter_, &status, frame_, finished, &PauseTest, this);
  if (!*finished) return kScriptOk;
  return FinishRun();
}

int32_t ScriptPageHost::FinishRun() {
  ScriptRuntimeError error;
  FinishScriptRun(interpreter_, &error, frame_, nullptr);
  frame_ = nullptr;
  if (error.status == kScriptOk || pending_ != kPendingNone) return kScriptOk;
  WriteErrorPage(error);
  return error.status;
}

void ScriptPageHost::WriteErrorPage(const ScriptRuntimeError& error) {
  SharedWideString text;
  if (!FormatScriptError(error, environment_->Reporter(), &text) || text.length == 0) {
    // Without the string table: the status's own message and the detail.
    text.Clear();
    const WCHAR* message = GetScriptStatusMessage(error.status);
    if (message != nullptr) text.AppendChars(message, WideStrLen(message));
    text.Append(error.detail);
  }
  SharedWideString address;
  if (!EscapeText(pageAddress_, true, &address)) address.Clear();
  SharedWideString opening, closing;
  AppendAscii(&opening, "><html><body></table>");
  AppendAscii(&closing, "<br/><b>Script</b>: ");
  WriteOutput(opening);
  WriteOutput(text);
  WriteOutput(closing);
  WriteOutput(address);
}

void ScriptPageHost::WriteOutput(const SharedWideString& text) {
  if (output_.Append(text) < 0) pending_ = kPendingOutputFailed;
}

bool ScriptPageHost::TakeOutput(SegmentedWideStringArray* pieces) {
  bool ok = true;
  for (uint32_t i = 0; i < output_.Count(); ++i) {
    if (output_.At(i)->length == 0) continue;  // nothing to read in it
    ok = ok && pieces->Append(*output_.At(i)) >= 0;
  }
  output_.Clear();
  // The mark counts pieces written since the last move.
  if (flushMark_ >= 0) flushMark_ = 0;
  return ok;
}

// ---- Members

int32_t* ScriptPageHost::ResolveMember(int32_t* status, const ScriptNameToken& name,
                                       ScriptMemberRef* ref, uint8_t create) {
  *status = kScriptOk;
  if (ref->IsSelf() && IsPageObject(name.atom)) {
    ref->owner = this;
    ref->memberCode = name.atom;
    return status;
  }
  if (IsPageObject(ref->memberCode) && ref->subCode == 0 &&
      AcceptedMember(ref->memberCode, name.atom)) {
    ref->owner = this;
    ref->subCode = name.atom;
    return status;
  }
  if (IsPageObject(ref->memberCode)) {
    *status = kScriptMemberUnknown;
    return status;
  }
  return ScriptHostObject::ResolveMember(status, name, ref, create);
}

int32_t* ScriptPageHost::SetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                        ScriptValueStore* store, ScriptValueHandle value) {
  if (IsPageObject(ref.memberCode) && IgnoredProperty(ref.memberCode, ref.subCode)) {
    *status = kScriptOk;
    return status;
  }
  return ScriptHostObject::SetMemberValue(status, ref, store, value);
}

int32_t* ScriptPageHost::GetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                        ScriptValueStore* store, ScriptValueHandle* result,
                                        int32_t wantedType) {
  *status = kScriptOk;
  if (ref.memberCode == kAtom_Response && ref.subCode == kAtom_Buffer) {
    return ResultBoolean(status, store, true, result);
  }
  if (ref.memberCode == kAtom_Response && ref.subCode == kAtom_ContentType) {
    SharedWideString type;
    AppendAscii(&type, "text/html");
    return ResultString(status, store, type, result);
  }
  if (ref.memberCode == kAtom_Response && ref.subCode == kAtom_Status) {
    return ResultInteger(status, store, 1, result);
  }
  if (IgnoredProperty(ref.memberCode, ref.subCode)) return ResultInteger(status, store, 0, result);
  if (IsPageObject(ref.memberCode)) {
    *status = kScriptCannotGet;
    return status;
  }
  return ScriptHostObject::GetMemberValue(status, ref, store, result, wantedType);
}

int32_t* ScriptPageHost::InvokeResponse(int32_t* status, int32_t member, uint32_t n,
                                        ScriptOperandStack* stack) {
  switch (member) {
    case kAtom_Write: {
      if (n != 1 || pending_ != kPendingNone) break;
      SharedWideString text;
      if (*ArgumentToString(status, stack, n, 0, &text) != kScriptOk) return status;
      WriteOutput(text);
      return status;
    }
    case kAtom_End:
      if (n != 0) break;
      pending_ = kPendingEnded;
      *status = kScriptUnhandledException;  // stops the script; no error
      return status;
    case kAtom_Redirect:
      if (n != 1) break;
      if (*ArgumentToString(status, stack, n, 0, &redirectTarget_) != kScriptOk) return status;
      pending_ = kPendingRedirect;
      *status = kScriptUnhandledException;
      return status;
    case kAtom_Flush:
      flushRequested_ = 1;
      return status;
    case kAtom_AppendToLog:
      if (n != 1) break;
      return status;
    case kAtom_AddHeader: {
      if (n != 2) break;
      SharedWideString name;
      return ArgumentToString(status, stack, n, 0, &name);
    }
    default:
      break;
  }
  *status = kScriptBadParameterCount;
  return status;
}

int32_t* ScriptPageHost::InvokeRequest(int32_t* status, int32_t member, uint32_t n,
                                       ScriptOperandStack* stack, ScriptValueHandle* result) {
  if (member == kAtom_ServerVariables) {
    if (n != 1) {
      *status = kScriptBadParameterCount;
      return status;
    }
    return ResultString(status, CallStore(stack), SharedWideString(), result);
  }
  if (n == 0) {
    SharedWideString whole;
    if (queryText_.length > 0) whole.AssignSubstring(queryText_, 1, queryText_.length - 1);
    return ResultString(status, CallStore(stack), whole, result);
  }
  if (n != 1) {
    *status = kScriptBadParameterCount;
    return status;
  }
  SharedWideString name;
  if (*ArgumentToString(status, stack, n, 0, &name) != kScriptOk) return status;
  SharedWideString key;
  WCHAR amp = u'&';
  WCHAR equals = u'=';
  if (!EscapeText(name, false, &name) || !key.AppendChars(&amp, 1) || !key.Append(name) ||
      !key.AppendChars(&equals, 1)) {
    *status = kScriptNoMemory;
    return status;
  }
  const WCHAR* chars = queryText_.Chars();
  for (uint32_t at = 0; at + key.length <= queryText_.length; ++at) {
    uint32_t i = 0;
    while (i < key.length && chars[at + i] == key.Chars()[i]) ++i;
    if (i < key.length) continue;
    uint32_t start = at + key.length;
    uint32_t end = start;
    while (end < queryText_.length && chars[end] != u'&') ++end;
    SharedWideString value;
    value.AssignSubstring(queryText_, start, end - start);
    SharedWideString decoded(value);
    if (!decoded.UrlEscape(false, true)) decoded = value;
    return ResultString(status, CallStore(stack), decoded, result);
  }
  return status;  // absent: undefined
}

int32_t* ScriptPageHost::InvokeSession(int32_t* status, uint32_t n, ScriptOperandStack* stack,
                                       ScriptValueHandle* result) {
  if (n != 1) {
    *status = kScriptBadParameterCount;
    return status;
  }
  ScriptObjectSlot* slot = store_->GetObjectSlot(session_);
  if (slot == nullptr || slot->ref.owner == nullptr) {
    *status = kScriptCannotGet;
    return status;
  }
  ScriptNameToken name;
  if (*ArgumentToString(status, stack, n, 0, &name.text) != kScriptOk) return status;
  ScriptMemberRef ref;
  if (*slot->ref.owner->ResolveMember(status, name, &ref, 1) != kScriptOk) return status;
  store_->Release(result);
  return store_->NewReference(status, ref, result);
}

int32_t* ScriptPageHost::Invoke(int32_t* status, const ScriptMemberRef& ref,
                                uint32_t argumentCount, ScriptOperandStack* stack,
                                ScriptValueHandle* result) {
  *status = kScriptOk;
  const int32_t object = ref.memberCode;
  const int32_t member = ref.subCode;
  const uint32_t n = argumentCount;
  switch (object) {
    case kAtom_Response:
      return InvokeResponse(status, member, n, stack);
    case kAtom_Server: {
      if (n != 1 || (member != kAtom_HTMLEncode && member != kAtom_URLEncode)) break;
      SharedWideString text;
      SharedWideString escaped;
      if (*ArgumentToString(status, stack, n, 0, &text) != kScriptOk) return status;
      if (!EscapeText(text, member == kAtom_HTMLEncode, &escaped)) {
        *status = kScriptNoMemory;
        return status;
      }
      return ResultString(status, CallStore(stack), escaped, result);
    }
    case kAtom_Request:
      if (member != 0 && member != kAtom_QueryString && member != kAtom_ServerVariables) break;
      return InvokeRequest(status, member, n, stack, result);
    case kAtom_Session:
      if (member != 0 && member != kAtom_Contents) break;
      return InvokeSession(status, n, stack, result);
    case kAtom_Frameset:
      if (member != kAtom_Use || n != 1) break;
      return ArgumentToString(status, stack, n, 0, &framesetName_);
    default:
      return ScriptHostObject::Invoke(status, ref, argumentCount, stack, result);
  }
  *status = kScriptBadParameterCount;
  return status;
}

bool MakeQueryText(const SharedWideString& address, SharedWideString* query) {
  query->Clear();
  WCHAR amp = u'&';
  if (!query->AppendChars(&amp, 1)) return false;
  const WCHAR* chars = address.Chars();
  uint32_t start = 0;
  while (start < address.length && chars[start] != u'?') ++start;
  if (start >= address.length) return true;
  uint32_t end = ++start;
  while (end < address.length && chars[end] != u'#') ++end;
  return query->AppendChars(chars + start, end - start) || end == start;
}
