// The application's run results in process, and a whole run from start to
// the close: the first page, the message loop, and shut-down saving the
// preferences and clearing the open-view flag.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/controller/application_controller.h"
#include "app/frame/stand_in_window_set.h"
#include "app/preferences/preferences.h"
#include "app/startup/reader_application.h"
#include "platform/launch/launch.h"
#include "platform/shell_windows/task_bar.h"
#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/windows.h"
#include "storage/settings/global_settings_file.h"
#include "tests/support/fake_frame_view.h"
#include "tests/support/record_file_builder.h"

namespace {

constexpr const char16_t* kSettings = u"\\Windows\\QVR_global_configuration.qvr";

EncodedString Wide(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

// The stand-in set with a recording view whose start closes the window
// again, so that the run's loop ends by the ordinary close.
class ClosingWindowSet final : public StandInWindowSet {
 public:
  bool Open(bool noParent) override {
    if (!StandInWindowSet::Open(noParent)) return false;
    AppFrame* frame = MainFrame();
    frame->view = &view;
    frame->controller->SetDocumentView(&view);
    view.onStart = [] { PostMessageW(FindWindowW(kMainWindowClass, nullptr), WM_CLOSE, 0, 0); };
    return true;
  }
  void DestroyMainFrame() override {
    if (MainFrame() != nullptr && MainFrame()->preferences != nullptr) {
      MainFrame()->preferences->lastDocument.FromChars(u"\\eBooks\\kept.corv", 17);
    }
    StandInWindowSet::DestroyMainFrame();
  }
  ~ClosingWindowSet() override;
  testbuild::FakeFrameView view;
};

std::vector<std::string> g_viewCalls;

ClosingWindowSet::~ClosingWindowSet() { g_viewCalls = view.calls; }

FrameWindowSet* MakeClosingSet() { return new ClosingWindowSet; }

}  // namespace

TEST(ReaderApplication, QuitWithNoInstanceRunningStartsNothing) {
  for (const char16_t* line : {u"/quit", u"/QUIT"}) {
    auto* app = new ReaderApplication(new StandInWindowSet);
    EXPECT_EQ(app->Run(nullptr, Wide(line), nullptr), kRunQuitHandled);
    delete app;
  }
  EXPECT_EQ(devtest::LiveWindowCount(), 0);
}

TEST(ReaderApplication, ARunningInstanceIsBroughtForward) {
  ASSERT_TRUE(RegisterMainWindowClass(nullptr));
  WNDCLASSW wc{};
  HWND running = CreateWindowExW(0, kMainWindowClass, u"other", 0, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(running, nullptr);
  auto* app = new ReaderApplication(new StandInWindowSet);
  EXPECT_EQ(app->Run(nullptr, Wide(u""), nullptr), kRunOtherInstanceShown);
  delete app;
  EXPECT_EQ(GetForegroundWindow(), running);
  DestroyWindow(running);
  (void)wc;
}

TEST(ReaderApplication, AWholeRunEndsWithEverythingSaved) {
  devlaunch::SetCommandLineText(u"\"\\eBooks\\some book.corv\"");
  int result = -1;
  EXPECT_EQ(ReaderMain(nullptr, MakeClosingSet, &result), 0);
  EXPECT_EQ(result, kRunEnded);
  // The view was started for a named book and asked for it without quotes.
  auto start = std::find(g_viewCalls.begin(), g_viewCalls.end(), "start 10");
  ASSERT_NE(start, g_viewCalls.end());
  ASSERT_NE(start + 1, g_viewCalls.end());
  EXPECT_EQ(*(start + 1), "open \\eBooks\\some book.corv");
  // Only the shell's task bar may outlive the run: it is the device's, not
  // the reader's.
  EXPECT_EQ(devtest::LiveWindowCount(), devshellwin::TaskBar() != nullptr ? 1 : 0);
  GlobalSettingsFile settings;
  ASSERT_EQ(settings.OpenOrCreate(Wide(kSettings), true), RecordResult::kOk);
  EXPECT_FALSE(settings.GetFlag300());
  EncodedString last;
  ASSERT_EQ(settings.GetText252(&last), RecordResult::kOk);
  EXPECT_EQ(testbuild::FakeFrameView::Narrow(last), "\\eBooks\\kept.corv");
}
