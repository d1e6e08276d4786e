// Running a script page: ScriptPageHost is the global host of one page run.
// It answers the page objects Response, Server, Request, Session and
// Frameset (and, through its base, navigator, device and the global
// functions), collects what the script writes as pieces of text, and runs
// the script in steps: after Response.Flush (and then every ten pieces) the
// run pauses, so that the page's first part shows before the rest is
// computed.
//
// ScriptPageEnvironment: what the page runs of one loader share: the value
// store, the application environment and one session object per book.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_strings.h"
#include "foundation/containers/segmented_array_typed.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "script/frames/scope_chain.h"
#include "script/host/script_host_object.h"
#include "script/interpreter/script_errors.h"
#include "storage/sources/document_source.h"

class CompiledScript;
class ScriptErrorReporter;
class ScriptInterpreter;
class ScriptValueStore;
struct ScriptCallFrame;

class ScriptPageEnvironment {
 public:
  ScriptPageEnvironment(ScriptValueStore* store, ScriptAppEnvironment* environment,
                        ScriptErrorReporter* reporter)
      : store_(store), environment_(environment), reporter_(reporter) {}
  // Releases the session objects.
  ~ScriptPageEnvironment();
  ScriptPageEnvironment(const ScriptPageEnvironment&) = delete;
  ScriptPageEnvironment& operator=(const ScriptPageEnvironment&) = delete;

  // *value (released first) becomes a copy of the session object of the
  // book with that address, made on first use (a plain object whose
  // members read as undefined until assigned).
  int32_t* GetSession(int32_t* status, const SharedWideString& bookAddress,
                      ScriptValueHandle* value);

  ScriptValueStore* Store() const { return store_; }
  ScriptAppEnvironment* Environment() const { return environment_; }
  ScriptErrorReporter* Reporter() const { return reporter_; }
  uint32_t SessionCount() const { return sessions_.Count(); }

 private:
  struct Session {
    SharedWideString address;
    ScriptValueHandle value = kScriptEmptyHandle;
  };
  ScriptValueStore* store_;
  ScriptAppEnvironment* environment_;
  ScriptErrorReporter* reporter_;
  SegmentedTypedArray<Session> sessions_;
};

class ScriptPageHost : public ScriptHostObject {
 public:
  // What stops a run besides its end.
  static constexpr int32_t kPendingNone = 0;
  static constexpr int32_t kPendingEnded = 1;
  static constexpr int32_t kPendingRedirect = 2;
  static constexpr int32_t kPendingOutputFailed = 3;

  explicit ScriptPageHost(ScriptPageEnvironment* environment);
  ~ScriptPageHost() override;

  // Binds the compiled page (a reference is taken) and starts its run: the
  // session, the global object with the built-ins, the host as the global
  // scope, the query of the page address. The first failure.
  int32_t Start(CompiledScript* script, ScriptValueHandle session,
                const SharedWideString& pageAddress, DocumentSource* bookSource);
  // Runs the page again with another address (a redirect that changes only
  // the query): the same session and script, everything else anew.
  int32_t Restart(const SharedWideString& pageAddress);
  // Runs until the script pauses (*finished false) or ends (true: the run
  // is finished with FinishRun, whose status is answered).
  int32_t RunStep(bool* finished);
  // Ends a stopped run: a failure with nothing pending writes the error
  // text and the page address into the page and is answered; else 0.
  int32_t FinishRun();
  // Writes a failed page's error text for `error`.
  void WriteErrorPage(const ScriptRuntimeError& error);
  // Appends a piece of output; pending becomes kPendingOutputFailed when
  // it cannot.
  void WriteOutput(const SharedWideString& text);
  // The pause test: see the file comment.
  bool FlushDue();
  // Moves the output written so far to the end of *pieces.
  bool TakeOutput(SegmentedWideStringArray* pieces);

  int32_t Pending() const { return pending_; }
  const SharedWideString& RedirectTarget() const { return redirectTarget_; }
  const SharedWideString& FramesetName() const { return framesetName_; }
  const SharedWideString& PageAddress() const { return pageAddress_; }
  const SharedWideString& QueryText() const { return queryText_; }
  bool Running() const { return frame_ != nullptr; }
  uint32_t OutputCount() const { return output_.Count(); }
  DocumentSource* BookSource() const { return bookSource_.Get(); }
  ScriptPageEnvironment* Environment() const { return environment_; }

  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                  ScriptOperandStack* stack, ScriptValueHandle* result) override;
  int32_t* SetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle value) override;
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;
  ScriptAppEnvironment* GetAppEnvironment(int32_t memberCode, int32_t subCode) override;
  ScriptDocumentContext* GetDocumentContext() override { return nullptr; }

 private:
  // Drops the run, the scope, the global object and the output.
  void Reset();
  int32_t BeginRun();
  int32_t* InvokeResponse(int32_t* status, int32_t member, uint32_t n, ScriptOperandStack* stack);
  int32_t* InvokeRequest(int32_t* status, int32_t member, uint32_t n, ScriptOperandStack* stack,
                         ScriptValueHandle* result);
  int32_t* InvokeSession(int32_t* status, uint32_t n, ScriptOperandStack* stack,
                         ScriptValueHandle* result);

  ScriptPageEnvironment* environment_;
  ScriptValueStore* store_;
  ScriptInterpreter* interpreter_ = nullptr;
  ScriptValueHandle global_ = kScriptEmptyHandle;
  ScriptScopeChain chain_;
  ScriptCallFrame* frame_ = nullptr;
  ScriptValueHandle session_ = kScriptEmptyHandle;
  DocumentSourcePtr bookSource_;
  CompiledScript* script_ = nullptr;
  int32_t pending_ = kPendingNone;
  SharedWideString redirectTarget_;
  SharedWideString framesetName_;
  SharedWideString pageAddress_;
  SharedWideString queryText_;
  SegmentedWideStringArray output_;
  uint8_t flushRequested_ = 0;
  int32_t flushMark_ = -1;
};

// The query of an address without its "?" (and without a fragment), with
// one "&" in front: what Request searches.
bool MakeQueryText(const SharedWideString& address, SharedWideString* query);
