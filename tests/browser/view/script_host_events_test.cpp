// Page events and link actions through the script host: the event's
// script with its element as "this", the parse error shown once with the
// history's recording state left as it was, each kind of link action, and a
// request written back as the script call that makes it.
#include <gtest/gtest.h>

#include "browser/host/page_script_objects.h"
#include "layout/styles/link_action.h"
#include "script/objects/dynamic_object.h"
#include "script/values/atoms.h"
#include "script/values/script_status.h"
#include "tests/browser/view/script_host_fixture.h"

namespace scripthost {
namespace {

// The script object of a page element (kind 4).
class FakeElementObject : public ScriptDynamicObject {
 public:
  ~FakeElementObject() override {
    if (GetStore() != nullptr) GetStore()->DetachObject(this);
  }
  int32_t GetKind() override { return 4; }
};

// A form whose one name, "title", reads "order".
class FakeForm : public ScriptObject {
 public:
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref, uint8_t) override {
    *status = kScriptMemberUnknown;
    if (ref->IsSelf() && Narrow(name.text) == "title") {
      ref->owner = this;
      ref->subCode = 1;
      *status = kScriptOk;
    }
    return status;
  }
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t) override {
    if (ref.subCode != 1) {
      *status = kScriptCannotGet;
      return status;
    }
    store->Release(result);
    return store->NewString(status, viewtest::W(u"order"), result);
  }
  void NotifyStore(int32_t event, ScriptValueStore* store) override {
    store_ = event == kScriptStoreAttached ? store : nullptr;
  }
  ~FakeForm() override {
    if (store_ != nullptr) store_->DetachObject(this);
  }

 private:
  ScriptValueStore* store_ = nullptr;
};

// A form control (kind 3) and the form that holds it.
class FakeFormControl : public FakeElementObject, public FormControlScriptObject {
 public:
  int32_t GetKind() override { return 3; }
  ScriptObject* GetOwnerForm() override { return form; }
  ScriptObject* form = nullptr;
};

class ScriptHostEventsTest : public ScriptHostTest {};

TEST_F(ScriptHostEventsTest, AFormControlsEventSeesItsFormsNames) {
  FakeForm form;
  FakeFormControl control;
  control.form = &form;
  SharedWideString result;
  ASSERT_TRUE(view().DispatchWidgetEvent(&control, viewtest::W(u"this.value = 2; return title + this.value;"),
                                         Point{0, 0}, &result));
  EXPECT_EQ(Narrow(result), "order2");
}

TEST_F(ScriptHostEventsTest, AnElementsEventSeesTheElementAsThisAndKeepsItsVariables) {
  FakeElementObject element;
  SharedWideString result;
  ASSERT_TRUE(view().DispatchWidgetEvent(&element, viewtest::W(u"this.name = 'answer'; var local = 1; return this.name + local;"),
                                         Point{3, 4}, &result));
  EXPECT_EQ(Narrow(result), "answer1");
  EXPECT_EQ(view().GetEventPoint().x, 3);
  EXPECT_EQ(view().GetEventPoint().y, 4);
  EXPECT_EQ(Run("return typeof local;"), "undefined") << "the event's variables stay in its own scope";
  // Without an element the script's this is the window.
  EXPECT_EQ(Run("window.mark = 'w'; return this.mark;"), "w");
  // The point of the event is where tips appear.
  view().recording = true;
  Run("window.alert('here');", Point{30, 40});
  EXPECT_EQ(Calls(), std::vector<std::string>{"tip mode 2 at 30,40 here"});
}

TEST_F(ScriptHostEventsTest, AScriptThatDoesNotCompileShowsOneMessageAndLeavesTheRecordingState) {
  for (int32_t state : {DocumentView::kRecordNormally, DocumentView::kRecordSuppressed, DocumentView::kRecordOnce}) {
    SCOPED_TRACE(state);
    ClearCalls();
    view().SetHistoryRecording(state);
    EXPECT_EQ(Run("document.goto_page(;"), "<failed>");
    const auto messages = harness.application.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].number, 5037);
    EXPECT_EQ(messages[0].kind, 2);
    EXPECT_EQ(view().GetHistoryRecording(), state);
    // A script that runs leaves it as it was too.
    EXPECT_EQ(Run("return 1;"), "1");
    EXPECT_EQ(view().GetHistoryRecording(), state);
  }
  // A script whose run fails answers false without a parse message.
  ClearCalls();
  EXPECT_EQ(Run("document.hash = 1;"), "<failed>");
  EXPECT_TRUE(harness.application.Messages().empty());
}

TEST_F(ScriptHostEventsTest, EachKindOfLinkAction) {
  view().recording = true;
  struct Case {
    int32_t kind;
    const char16_t* target;
    int32_t number;
    uint16_t first, second;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {1, u"next.htm", 0, 0, 0, {"OpenUrl next.htm"}},
      {3, u"", 1234, 0, 0, {"GoToPosition 1234"}},
      {3, u"", -1, 0, 0, {}},
      {4, u"document.goto_page(4);", 0, 0, 0, {"GoToPage 4"}},
      {8, u"", 12, 0, 0, {"lookup tip #12"}},
      {2, u"\\b.prc", 512, 0, 0, {"OpenLocationWithRequest \\b.prc 0.75(512)"}},
      // A numbered request: the host object and the method by their atoms.
      {6, u"", 5, kAtom_bookmarks, kAtom_edit, {"edit annotation #5"}},
      {6, u"", -7, kAtom_document, kAtom_goto_page_relative, {"GoToPageRelative -2 1 255"}},
      {7, u"saved", 0, kAtom_window, kAtom_flash_message, {"timed message #1000 saved"}},
      {5, u"", 0, kAtom_window, kAtom_close, {"CloseWindow"}},
      {6, u"", 80, 0, 0, {}},
      // The word and its dictionary's entry to the word list, found again by
      // the title before the grave accent.
      {10, u"lumen`light", 33, 0x0409, 0, {"AddToWordList 0.0('lumen`light',9,'oeb:redirect?title=lumen','',33,'')"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    ClearCalls();
    RefPtr<LinkAction> action;
    action.Adopt(new LinkAction());
    action->kind = c.kind;
    action->target = viewtest::W(c.target);
    action->number = c.number;
    action->first = c.first;
    action->second = c.second;
    SharedWideString result = viewtest::W(u"kept?");
    view().PerformLinkAction(&view(), action.Get(), Point{5, 6}, &result);
    EXPECT_EQ(Calls(), c.calls);
  }
}

TEST_F(ScriptHostEventsTest, RangeListsGoToTheWordLookUp) {
  view().recording = true;
  const TextRangeRef ranges[2] = {{10, 14, 4, 1, 3, 0, 0}, {20, 25, 5, 1, 3, 0, 0}};
  for (bool marked : {false, true}) {
    ClearCalls();
    RefPtr<LinkAction> action;
    action.Adopt(new LinkAction());
    ASSERT_TRUE(action->SetRangeList(ranges, 0, 2, viewtest::W(u"word"), viewtest::W(u"Title"), marked));
    EXPECT_TRUE(view().PerformLinkAction(&view(), action.Get(), Point{0, 0}, nullptr));
    EXPECT_EQ(Calls(), std::vector<std::string>{std::string(marked ? "look up marked" : "look up") + " #2 word|Title|"});
  }
}

TEST_F(ScriptHostEventsTest, ARequestIsWrittenAsTheCallThatMakesIt) {
  struct Case {
    uint16_t object, method;
    std::vector<std::pair<std::u16string, bool>> arguments;
    const char* text;
  };
  const Case cases[] = {
      {kAtom_document, kAtom_goto_page, {{u"3", true}}, "document.goto_page(3)"},
      {kAtom_window, kAtom_alert, {{u"it's \"so\"\\", false}}, "window.alert('it\\'s \\\"so\\\"\\\\')"},
      {kAtom_window, kAtom_open, {{u"a.htm", false}, {u"side", false}, {u"-10", true}}, "window.open('a.htm','side',-10)"},
      {kAtom_bookmarks, kAtom_remove, {{u"2", true}}, "bookmarks.remove(2)"},
      {kAtom_history, kAtom_clear, {}, "history.clear()"},
      {kAtom_window, kAtom_flash_message, {{u"two\nlines", false}}, "window.flash_message('two\\nlines')"},
  };
  for (const Case& c : cases) {
    ScriptRequest request;
    request.objectAtom = c.object;
    request.methodAtom = c.method;
    for (const auto& [text, number] : c.arguments) request.arguments.Add(viewtest::W(text), number ? 1 : 0);
    EXPECT_EQ(Describe(request), c.text);
  }
  // What a script gives as arguments arrives with its kind: texts quoted,
  // numbers, booleans and undefined as they read.
  view().recording = true;
  Run("window.index_search('a', 2.5, true, undefined, -3);");
  EXPECT_EQ(Calls(), std::vector<std::string>{"ReloadWithRequest window.index_search('a',2.5,true,undefined,-3)"});
}

}  // namespace
}  // namespace scripthost
