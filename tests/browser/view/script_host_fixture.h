// What the script host's tests share: a document view whose operations can
// be recorded instead of carried out, in a headless window, with the
// window's script context made as the browser view makes it (the built-in
// globals with the view as the global object), and helpers that run a
// script as a page event and read back what it did.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "browser/view/document_view.h"
#include "browser/view/script_context.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/interpreter/interpreter_builtins.h"
#include "script/interpreter/script_run.h"
#include "script/values/value_store.h"
#include "tests/browser/view/view_fixture.h"

namespace scripthost {

inline std::string Narrow(const SharedWideString& text) {
  std::string out;
  for (uint32_t i = 0; i < text.length; ++i) {
    const WCHAR c = text.Chars()[i];
    out += c < 0x80 ? static_cast<char>(c) : '?';
  }
  return out;
}

inline std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

inline std::string Describe(const ScriptRequest& request) {
  SharedWideString text;
  return DocumentView::DescribeRequest(request, &text) ? Narrow(text) : "<none>";
}

// A view whose operations, while `recording`, are written to `calls` and
// answer true instead of being carried out; otherwise the view's own.
class RecordingView : public DocumentView {
 public:
  bool recording = false;
  std::vector<std::string> calls;
  ScriptContext* context = nullptr;
  // Named script resources the book holds, and how often one was loaded.
  std::vector<std::pair<std::string, std::string>> namedScripts;
  int namedScriptLoads = 0;

  ScriptContext* GetScriptContext() override { return context; }
  // The recording state a navigation in progress would have set.
  void SetHistoryRecording(int32_t state) { historyRecording_ = state; }

  bool Log(const std::string& call) {
    calls.push_back(call);
    return true;
  }

#define TESSALYN_RECORD(call, real) return recording ? Log(call) : (real)
  bool OpenLocationWithRequest(Location* location, const ScriptRequest& request) override {
    SharedWideString text;
    Location::GetText(*location, &text);
    TESSALYN_RECORD("OpenLocationWithRequest " + Narrow(text) + " " + Describe(request),
                    DocumentView::OpenLocationWithRequest(location, request));
  }
  bool OpenUrlInTarget(const SharedWideString& text, const SharedWideString& target, const Rect& r) override {
    TESSALYN_RECORD("OpenUrlInTarget " + Narrow(text) + " " + Narrow(target) + " " + std::to_string(r.x) + "," +
                        std::to_string(r.y) + "," + std::to_string(r.width) + "," + std::to_string(r.height),
                    DocumentView::OpenUrlInTarget(text, target, r));
  }
  bool OpenUrl(const SharedWideString& text, bool absolute) override {
    TESSALYN_RECORD("OpenUrl " + Narrow(text), DocumentView::OpenUrl(text, absolute));
  }
  void CloseWindow() override {
    if (recording) Log("CloseWindow");
  }
  bool ChangeTextSize(int32_t step) override {
    TESSALYN_RECORD("ChangeTextSize " + std::to_string(step), DocumentView::ChangeTextSize(step));
  }
  int32_t OpenSync(const SharedWideString& text) override {
    if (recording) Log("OpenSync " + Narrow(text));
    return 1;
  }
  bool StartExternalApp(const SharedWideString& name, const SharedWideString& text) override {
    TESSALYN_RECORD("StartExternalApp " + Narrow(name) + "|" + Narrow(text), DocumentView::StartExternalApp(name, text));
  }
  bool ReloadWithRequest(const ScriptRequest& request) override {
    TESSALYN_RECORD("ReloadWithRequest " + Describe(request), DocumentView::ReloadWithRequest(request));
  }
  void Rearrange(bool vertical, bool skipUnnamed) override {
    if (recording) Log(std::string("Rearrange ") + (vertical ? "1" : "0") + (skipUnnamed ? " 1" : " 0"));
  }
  bool GoToPage(int32_t n) override { TESSALYN_RECORD("GoToPage " + std::to_string(n), DocumentView::GoToPage(n)); }
  bool GoToPageRelative(int32_t step, int32_t second, int32_t last) override {
    TESSALYN_RECORD("GoToPageRelative " + std::to_string(step) + " " + std::to_string(second) + " " +
                        std::to_string(last),
                    DocumentView::GoToPageRelative(step, second, last));
  }
  bool GoToFirstPage() override { TESSALYN_RECORD("GoToFirstPage", DocumentView::GoToFirstPage()); }
  bool GoToLastPage() override { TESSALYN_RECORD("GoToLastPage", DocumentView::GoToLastPage()); }
  bool GoToToc() override { TESSALYN_RECORD("GoToToc", DocumentView::GoToToc()); }
  bool GoToGuide(uint32_t n) override {
    TESSALYN_RECORD("GoToGuide " + std::to_string(n), DocumentView::GoToGuide(n));
  }
  bool CloseDocument() override { TESSALYN_RECORD("CloseDocument", DocumentView::CloseDocument()); }
  bool GoToRandomEntry(const SharedWideString* name) override {
    TESSALYN_RECORD(name == nullptr ? std::string("GoToRandomEntry") : "GoToRandomEntry " + Narrow(*name),
                    DocumentView::GoToRandomEntry(name));
  }
  bool GoToPosition(uint32_t position) override {
    TESSALYN_RECORD("GoToPosition " + std::to_string(position), DocumentView::GoToPosition(position));
  }
  bool GoToFragment(const SharedWideString& text) override {
    TESSALYN_RECORD("GoToFragment " + Narrow(text), DocumentView::GoToFragment(text));
  }
  bool AddToWordList(const ScriptRequest& request) override {
    TESSALYN_RECORD("AddToWordList " + Describe(request), DocumentView::AddToWordList(request));
  }
  bool OpenMark(uint32_t mark, int32_t* word) override {
    TESSALYN_RECORD("OpenMark " + std::to_string(mark), DocumentView::OpenMark(mark, word));
  }
  bool AddBookmark(const SharedWideString& text) override {
    TESSALYN_RECORD("AddBookmark " + Narrow(text), DocumentView::AddBookmark(text));
  }
  bool PreviousBookmark() override { TESSALYN_RECORD("PreviousBookmark", DocumentView::PreviousBookmark()); }
  bool NextBookmark() override { TESSALYN_RECORD("NextBookmark", DocumentView::NextBookmark()); }
  bool GoToBookmark(const SharedWideString* path, uint32_t mark, bool record) override {
    TESSALYN_RECORD("GoToBookmark " + (path != nullptr ? Narrow(*path) : std::string("-")) + " " +
                        std::to_string(mark),
                    DocumentView::GoToBookmark(path, mark, record));
  }
  bool DeleteBookmark(uint32_t mark) override {
    TESSALYN_RECORD("DeleteBookmark " + std::to_string(mark), DocumentView::DeleteBookmark(mark));
  }
  bool GoBack(bool fallBack) override { TESSALYN_RECORD("GoBack", DocumentView::GoBack(fallBack)); }
  bool GoForward() override { TESSALYN_RECORD("GoForward", DocumentView::GoForward()); }
  void SetCheckpoint() override {
    if (recording) {
      Log("SetCheckpoint");
    } else {
      DocumentView::SetCheckpoint();
    }
  }
  bool GoToCheckpoint() override { TESSALYN_RECORD("GoToCheckpoint", DocumentView::GoToCheckpoint()); }
  void ClearHistory() override {
    if (recording) {
      Log("ClearHistory");
    } else {
      DocumentView::ClearHistory();
    }
  }
  bool SetIndexQuery(const SharedWideString& text) override {
    TESSALYN_RECORD("SetIndexQuery " + Narrow(text), DocumentView::SetIndexQuery(text));
  }
  bool SelectTableAt(int32_t x, Point point) override {
    TESSALYN_RECORD("SelectTableAt " + std::to_string(x) + " " + std::to_string(point.x) + "," +
                        std::to_string(point.y),
                    DocumentView::SelectTableAt(x, point));
  }
  bool ScrollTable(int32_t step) override {
    TESSALYN_RECORD("ScrollTable " + std::to_string(step), DocumentView::ScrollTable(step));
  }
  void ExecuteCommand(int32_t command, intptr_t arg) override {
    if (recording) {
      Log("ExecuteCommand " + std::to_string(command) + " speech " + std::to_string(GetSpeechParameter()));
    } else {
      DocumentView::ExecuteCommand(command, arg);
    }
  }
  int32_t LoadNamedScript(const SharedWideString& name, CompiledScript* script) override {
    for (const auto& [scriptName, text] : namedScripts) {
      if (scriptName != Narrow(name)) continue;
      ++namedScriptLoads;
      ScriptCompileError error;
      return CompileScript(viewtest::W(std::u16string(text.begin(), text.end())), script, &error) ? 0 : 11;
    }
    return DocumentView::LoadNamedScript(name, script);
  }
#undef TESSALYN_RECORD
};

// The fixture: the store and the context outlive the harness's view, which
// is the context's global object.
class ScriptHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto made = std::make_unique<RecordingView>();
    view_ = made.get();
    harness.view = std::move(made);
    ASSERT_TRUE(harness.Create(240, 320));
    view_->context = &context;
    int32_t status = 0;
    ASSERT_EQ(*InstallBuiltinObjects(&context.interpreter, &status, &store, &context.globalObject, view_), 0);
    ASSERT_EQ(*context.scopeChain.PushValue(&status, context.globalObject, true), 0);
  }
  ~ScriptHostTest() override {
    context.scopeChain.Clear();
    store.Release(&context.globalObject);
    if (view_ != nullptr) view_->ReleaseMembers();
  }

  RecordingView& view() { return *view_; }
  FakeViewApplication& app() { return harness.application; }

  // The script run as a page event: its result as text, or "<failed>".
  std::string Run(const std::string& code, Point point = Point{7, 9}) {
    SharedWideString result;
    const std::u16string text(code.begin(), code.end());
    return view_->DispatchWidgetEvent(nullptr, viewtest::W(text), point, &result) ? Narrow(result) : "<failed>";
  }
  // The status a script ends with, run in the window's context.
  int32_t Status(const std::string& code) {
    CompiledScript* script = DeviceNew<CompiledScript>();
    script->AddReference();
    ScriptCompileError compileError;
    const std::u16string text(code.begin(), code.end());
    int32_t status = -1;
    if (CompileScript(viewtest::W(text), script, &compileError)) {
      status = 0;
      RunCompiledScript(&context.interpreter, &status, script, context.scopeChain, &store, context.globalObject,
                        nullptr, nullptr);
    }
    script->Release();
    return status;
  }
  // What the view and the application were asked to do, the view first.
  std::vector<std::string> Calls() const {
    std::vector<std::string> out = view_->calls;
    for (const FakeViewApplication::Event& e : harness.application.events) {
      std::string line = e.what == "execute" ? "cmd " + std::to_string(e.number) : e.what;
      if (e.what == "tip") line += " mode " + std::to_string(e.kind) + " at " + std::to_string(e.point.x) + "," +
                                   std::to_string(e.point.y);
      if (e.what != "execute" && e.what != "tip" && e.number != 0) line += " #" + std::to_string(e.number);
      if (!e.text.empty() || !e.second.empty() || !e.third.empty()) line += " " + Narrow(e.text);
      if (!e.second.empty() || !e.third.empty()) line += "|" + Narrow(e.second) + "|" + Narrow(e.third);
      out.push_back(line);
    }
    return out;
  }
  void ClearCalls() {
    view_->calls.clear();
    harness.application.Clear();
  }
  bool OpenBook(const std::u16string& path, const std::vector<uint8_t>& bytes) {
    return testbuild::WriteDeviceFile(path, bytes) && harness.Open(path);
  }

  ScriptValueStore store;
  ScriptContext context{&store};
  ViewHarness harness;

 private:
  RecordingView* view_ = nullptr;
};

}  // namespace scripthost
