// The browser view as a window makes it: construction and destruction, with
// and without a look-up history maker installed, and the parts it answers
// before it starts.
#include <gtest/gtest.h>

#include "browser/host/view_lookup_history.h"
#include "browser/view/browser_view.h"
#include "script/values/value_store.h"

namespace {

class CountingLookupHistory : public ViewLookupHistory {
 public:
  static int live;
  CountingLookupHistory() { ++live; }
  ~CountingLookupHistory() override { --live; }
  void SetLoader(DocumentLoader*) override {}
  void SaveIfOpen() override {}
  bool OpenEntries(int32_t) override { return true; }
};
int CountingLookupHistory::live = 0;

TEST(BrowserViewCore, BuiltEmptyAndDestroyedWhole) {
  ScriptValueStore store;
  for (bool withMaker : {false, true}) {
    SCOPED_TRACE(withMaker);
    InstallViewLookupHistoryMaker(withMaker ? +[]() -> ViewLookupHistory* { return new CountingLookupHistory(); }
                                            : nullptr);
    {
      BrowserView view(&store);
      EXPECT_EQ(view.GetScriptContext(), view.GetScriptContext());
      ASSERT_NE(view.GetScriptContext(), nullptr);
      EXPECT_EQ(view.GetScriptContext()->valueStore, &store);
      EXPECT_EQ(view.GetScriptContext()->globalObject, kScriptEmptyHandle);
      EXPECT_EQ(view.GetFramePosition(), -1);
      EXPECT_EQ(view.GetPendingFocusMode(), BrowserView::kFocusNone);
      EXPECT_EQ(view.GetEventSink(), nullptr);
      EXPECT_EQ(view.GetWindow(), nullptr);
      EXPECT_EQ(view.GetFrameset()->FrameCount(), 0u);
      EXPECT_EQ(view.GetLookupHistory() != nullptr, withMaker);
      EXPECT_EQ(CountingLookupHistory::live, withMaker ? 1 : 0);
    }
    EXPECT_EQ(CountingLookupHistory::live, 0);
  }
  InstallViewLookupHistoryMaker(nullptr);
}

}  // namespace
