// Fakes for running scripts in tests and fuzz targets (see
// fake_script_host.h).
#include "tests/support/fake_script_host.h"

#include "foundation/language/localized_strings.h"
#include "platform/memory/allocator.h"
#include "script/values/atoms.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/interpreter/interpreter_builtins.h"
#include "script/frames/operand_stack.h"
#include "script/interpreter/script_run.h"
#include "script/values/script_status.h"

namespace {

std::u16string Text(const SharedWideString& s) {
  return s.length == 0 ? std::u16string() : std::u16string(s.Chars(), s.length);
}

}  // namespace

// ---- FakeErrorReporter

void FakeErrorReporter::LoadString(SharedWideString* text, int32_t stringId) {
  auto found = texts.find(stringId);
  if (found != texts.end()) {
    text->FromChars(found->second.data(), static_cast<uint32_t>(found->second.size()));
    return;
  }
  const WCHAR* stored = LoadLocalizedString(static_cast<uint32_t>(stringId));
  text->Clear();
  if (stored != nullptr) text->FromChars(stored, WideStrLen(stored));
}

bool FakeErrorReporter::MessageBox(int32_t captionId, const SharedWideString& text, int32_t kind) {
  boxes.push_back(Box{captionId, kind, Text(text)});
  return true;
}

// ---- FakeScriptHost

FakeScriptHost::~FakeScriptHost() {
  if (attached_ != nullptr) attached_->DetachObject(this);
}

int32_t* FakeScriptHost::ResolveMember(int32_t* status, const ScriptNameToken& name,
                                       ScriptMemberRef* ref, uint8_t create) {
  if (ref->IsSelf() && name.atom == kAtom_Write) {
    ref->owner = this;
    ref->subCode = kAtom_Write;
    *status = kScriptOk;
    return status;
  }
  return ScriptDynamicObject::ResolveMember(status, name, ref, create);
}

int32_t* FakeScriptHost::Invoke(int32_t* status, const ScriptMemberRef& ref,
                                uint32_t argumentCount, ScriptOperandStack* stack,
                                ScriptValueHandle* result) {
  if (ref.memberCode != -1 || ref.subCode != kAtom_Write) {
    return ScriptDynamicObject::Invoke(status, ref, argumentCount, stack, result);
  }
  ScriptValueStore* store = stack->GetStore();
  for (uint32_t i = 0; i < argumentCount; ++i) {
    SharedWideString text;
    if (*store->ToString(status, stack->Argument(argumentCount, i), &text, 0) != kScriptOk) {
      return status;
    }
    output += Text(text);
  }
  output += u"\n";
  ++writes;
  *status = kScriptOk;
  return status;
}

int32_t* FakeScriptHost::GetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                        ScriptValueStore* store, ScriptValueHandle* result,
                                        int32_t wantedType) {
  if (ref.memberCode == -1 && ref.subCode == kAtom_Write) {
    *status = kScriptCannotGet;  // a method: the reference itself is called
    return status;
  }
  return ScriptDynamicObject::GetMemberValue(status, ref, store, result, wantedType);
}

void FakeScriptHost::NotifyStore(int32_t event, ScriptValueStore* store) {
  if (event == kScriptStoreAttached) {
    attached_ = store;
  } else if (event == kScriptStoreReleased && attached_ == store) {
    // The store goes first: give the members back while it still exists.
    ReleaseMembers();
    attached_ = nullptr;
  }
  ScriptDynamicObject::NotifyStore(event, store);
}

// ---- ScriptTestContext

namespace {

struct StepCounter {
  uint64_t steps = 0;
  uint64_t limit = 0;  // 0: none
  bool pauseEvery = false;
  bool limited = false;
};

bool CountStep(void* data) {
  StepCounter* counter = static_cast<StepCounter*>(data);
  ++counter->steps;
  if (counter->limit != 0 && counter->steps >= counter->limit) {
    counter->limited = true;
    return true;
  }
  return counter->pauseEvery;
}

}  // namespace

ScriptTestContext::ScriptTestContext() {
  interpreter.SetErrorSink(&reporter);
  chain.SetStore(&store);
  host = new FakeScriptHost();
  InstallBuiltinObjects(&interpreter, &installStatus, &store, &global, host);
  int32_t status = kScriptOk;
  chain.PushValue(&status, global, true);
  if (installStatus == kScriptOk) installStatus = status;
}

ScriptTestContext::~ScriptTestContext() {
  chain.Clear();
  store.Release(&global);
  delete host;
}

ScriptRunOutcome ScriptTestContext::Run(const std::u16string& text, bool pauseEvery,
                                        const char16_t* functionName, uint64_t stepLimit) {
  ScriptRunOutcome outcome;
  size_t before = host->output.size();
  SharedWideString source;
  if (!text.empty()) source.FromChars(text.data(), static_cast<uint32_t>(text.size()));
  SharedWideString name;
  if (functionName != nullptr) name.FromChars(functionName, WideStrLen(functionName));

  CompiledScript* script = DeviceNew<CompiledScript>();
  if (script == nullptr) return outcome;  // not compiled: no memory
  script->AddReference();
  ScriptCompileError compileError;
  outcome.compiled =
      CompileScript(source, script, &compileError, functionName != nullptr ? &name : nullptr);
  if (outcome.compiled) {
    ScriptCallFrame* frame = nullptr;
    int32_t status = kScriptOk;
    PrepareScriptRun(&interpreter, &status, &frame, script, chain, &store, global,
                     functionName != nullptr ? &name : nullptr);
    StepCounter counter;
    counter.limit = stepLimit;
    counter.pauseEvery = pauseEvery;
    bool finished = frame == nullptr || status != kScriptOk;
    while (!finished) {
      ExecuteInstructions(&interpreter, &status, frame, &finished,
                          pauseEvery || stepLimit != 0 ? &CountStep : nullptr, &counter);
      if (!finished) ++outcome.pauses;
      if (counter.limited) break;
    }
    if (frame != nullptr) outcome.stackDepth = frame->operands.Depth();
    ScriptValueHandle result = kScriptEmptyHandle;
    FinishScriptRun(&interpreter, &outcome.error, frame, &result);
    outcome.status = outcome.error.status;
    outcome.result = u"<none>";
    SharedWideString text;
    int32_t converted = kScriptOk;
    if (result != kScriptEmptyHandle &&
        *store.ToString(&converted, result, &text, 0) == kScriptOk) {
      outcome.result = Text(text);
    }
    store.Release(&result);
  }
  script->Release();
  outcome.output = host->output.substr(before);
  return outcome;
}

int32_t ScriptTestContext::GlobalType(const std::u16string& name) {
  SharedWideString key;
  key.FromChars(name.data(), static_cast<uint32_t>(name.size()));
  int32_t index = host->FindMember(key);
  if (index < 0) return -1;
  return ScriptHandleType(host->MemberValue(static_cast<uint32_t>(index)));
}

std::u16string ScriptTestContext::Global(const std::u16string& name) {
  SharedWideString key;
  key.FromChars(name.data(), static_cast<uint32_t>(name.size()));
  int32_t index = host->FindMember(key);
  if (index < 0) return u"<none>";
  ScriptValueHandle value = host->MemberValue(static_cast<uint32_t>(index));
  if (ScriptHandleType(value) == kScriptTypeEmpty) return u"<none>";
  SharedWideString text;
  int32_t status = kScriptOk;
  if (*store.ToString(&status, value, &text, 0) != kScriptOk) return u"<none>";
  return Text(text);
}
