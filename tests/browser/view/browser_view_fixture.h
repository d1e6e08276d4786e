// What the browser view tests share: the harness with a browser view in
// place of the plain document view, an event sink that records every call
// and answers as the test sets it, and a frame-set controller that records
// the windows asked for.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "browser/host/browser_event_sink.h"
#include "browser/host/frame_set_controller.h"
#include "browser/view/browser_view.h"
#include "script/values/value_store.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {

class RecordingEventSink : public BrowserEventSink {
 public:
  struct Call {
    std::string what;
    int32_t context = 0;
    std::u16string text;
    int64_t number = 0;
    Rect rect;
  };

  bool AllowScriptEvent(BrowserView*, int32_t context, ScriptObject*, const SharedWideString& script) override {
    Record("script event", context, S(script), 0);
    return allowScriptEvents;
  }
  bool AllowNavigation(BrowserView*, int32_t context, const SharedWideString& text, bool absolute) override {
    Record("navigation", context, S(text), absolute ? 1 : 0);
    return allowNavigation;
  }
  void OnNavigationStarting(BrowserView*, int32_t context) override { Record("starting", context, u"", 0); }
  void OnDocumentShown(BrowserView*, int32_t context) override { Record("shown", context, u"", 0); }
  void OnPageChanged(BrowserView*, int32_t context, int32_t page) override { Record("page", context, u"", page); }
  BrowserWindow* OpenTargetWindow(BrowserView*, int32_t context, const SharedWideString& target, const Rect& rect,
                                  int32_t flag, int32_t fromOpen) override {
    Record("open window", context, S(target), flag * 10 + fromOpen);
    calls.back().rect = rect;
    return nullptr;  // as the application answers
  }
  bool AllowSelectionReport(BrowserView*, int32_t context, const SharedWideString& text, uint32_t start,
                            uint32_t end, const Rect&) override {
    Record("selection", context, S(text), static_cast<int64_t>(start) * 100000 + end);
    return allowSelection;
  }
  void OnListenerEvent5(BrowserView*, int32_t context, intptr_t notify, bool changed) override {
    Record("finished", context, u"", notify * 10 + (changed ? 1 : 0));
  }
  void SaveReadingState(BrowserView*, int32_t context) override { Record("save", context, u"", 0); }
  intptr_t AskValue(BrowserView*, int32_t context, int32_t value) override {
    Record("ask", context, u"", value);
    return askAnswer;
  }

  int Count(const std::string& what) const {
    int n = 0;
    for (const Call& call : calls) n += call.what == what ? 1 : 0;
    return n;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (const Call& call : calls) out.push_back(call.what);
    return out;
  }

  std::vector<Call> calls;
  bool allowScriptEvents = true;
  bool allowNavigation = true;
  bool allowSelection = true;
  intptr_t askAnswer = 0;

 private:
  void Record(const char* what, int32_t context, const std::u16string& text, int64_t number) {
    Call call;
    call.what = what;
    call.context = context;
    call.text = text;
    call.number = number;
    calls.push_back(call);
  }
};

class RecordingFrameSetController : public FrameSetController {
 public:
  BrowserWindow* OpenTargetWindow(const SharedWideString& target, const Rect& rect, int32_t flag,
                                  int32_t fromOpen) override {
    targets.push_back(S(target));
    rects.push_back(rect);
    flags.push_back(flag * 10 + fromOpen);
    return nullptr;
  }
  std::vector<std::u16string> targets;
  std::vector<Rect> rects;
  std::vector<int32_t> flags;
};

class BrowserViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness.view = std::make_unique<BrowserView>(&store);
    ASSERT_TRUE(harness.Create(240, 320));
    // As the window has it once the view started: the frame set under the
    // surface, over the whole window, the view its frame "_main" as soon as
    // a document is shown.
    ASSERT_TRUE(view().GetFrameset()->SetParent(&harness.surface));
    Rect rest;
    view().GetFrameset()->Arrange(&rest, Rect{0, 0, 240, 320});
  }

  BrowserView& view() { return static_cast<BrowserView&>(*harness.view); }
  bool OpenBook(const std::u16string& path, const std::vector<uint8_t>& bytes) {
    return testbuild::WriteDeviceFile(path, bytes) && harness.Open(path);
  }

  // Declared first: they outlive the view.
  ScriptValueStore store;
  RecordingEventSink sink;
  RecordingFrameSetController frameSets;
  ViewHarness harness;
};

}  // namespace viewtest
