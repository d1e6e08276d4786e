// Fakes for running scripts in tests and fuzz targets:
// - FakeErrorReporter: the application side of script errors; it records
//   every message box and loads texts from the string table, or from texts
//   a test sets (a template with %1-%3 shows the details).
// - FakeScriptHost: a host object to serve as the global object. It is a
//   dynamic object (scripts add their variables to it) that also answers
//   `Write(...)` (kAtom_Write): the texts of the arguments are appended to
//   `output`, a line break after each call.
// - ScriptTestContext: a store, an interpreter with the reporter, the host
//   with the built-ins installed and a scope chain holding it; Run compiles
//   and runs a text, with or without a pause after every instruction.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "script/objects/dynamic_object.h"
#include "script/interpreter/error_reporter.h"
#include "script/interpreter/interpreter.h"
#include "script/frames/scope_chain.h"
#include "script/interpreter/script_errors.h"
#include "script/values/value_store.h"

class FakeErrorReporter : public ScriptErrorReporter {
 public:
  struct Box {
    int32_t caption = 0;
    int32_t kind = 0;
    std::u16string text;
  };

  std::vector<Box> boxes;
  std::map<int32_t, std::u16string> texts;  // override the string table

  void LoadString(SharedWideString* text, int32_t stringId) override;
  bool MessageBox(int32_t captionId, const SharedWideString& text, int32_t kind) override;
};

class FakeScriptHost : public ScriptDynamicObject {
 public:
  FakeScriptHost() = default;
  // Detaches itself from the store (host objects are not the store's).
  ~FakeScriptHost() override;

  std::u16string output;
  int writes = 0;

  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                  ScriptOperandStack* stack, ScriptValueHandle* result) override;
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;
  void NotifyStore(int32_t event, ScriptValueStore* store) override;

 private:
  ScriptValueStore* attached_ = nullptr;
};

// What ScriptTestContext::Run answers.
struct ScriptRunOutcome {
  bool compiled = false;
  int32_t status = 0;
  ScriptRuntimeError error;
  std::u16string output;     // what Write printed during this run
  std::u16string result;     // the run's result as text ("<none>" without one)
  uint32_t pauses = 0;       // times the run paused
  uint32_t stackDepth = 0;   // operand-stack depth when the run stopped
};

class ScriptTestContext {
 public:
  ScriptTestContext();
  ~ScriptTestContext();

  // Compiles the text (as the body of functionName when given) and runs
  // it. With pauseEvery the run pauses after every instruction and is
  // resumed until it ends. A stepLimit above 0 stops the run after so many
  // instructions (status stays as it was, the run is finished early).
  ScriptRunOutcome Run(const std::u16string& text, bool pauseEvery = false,
                       const char16_t* functionName = nullptr, uint64_t stepLimit = 0);

  // The type (kScriptType...) of a global variable's value; -1 when the
  // host has no such member.
  int32_t GlobalType(const std::u16string& name);

  // The text of a global variable (ToString of its value); "<none>" when the
  // host has no such member or it cannot be read.
  std::u16string Global(const std::u16string& name);

  ScriptValueStore store;
  FakeErrorReporter reporter;
  ScriptInterpreter interpreter;
  FakeScriptHost* host = nullptr;
  ScriptValueHandle global = kScriptEmptyHandle;
  ScriptScopeChain chain;
  int32_t installStatus = 0;
};
