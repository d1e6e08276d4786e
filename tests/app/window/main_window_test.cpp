// The main window's procedure: activation capturing and releasing the
// hardware buttons, a captured button reaching its command once per press,
// the keypad, storage notifications in virtual time, and a close during
// which children notify the window.
#include <gtest/gtest.h>

#include "app/window/key_records.h"
#include "platform/controls/cursor.h"
#include "platform/testing/input.h"
#include "platform/testing/registry.h"
#include "platform/testing/shell.h"
#include "platform/testing/ui.h"
#include "tests/app/frame_fixture.h"

using apptest::FrameFixture;

namespace {

const std::u16string kKeys = u"SOFTWARE\\Microsoft\\Shell\\Keys";

class MainWindowTest : public FrameFixture {
 protected:
  void SeedButtons() {
    for (const char16_t* key : {u"40C1", u"40C2"}) {
      devtest::SeedRegistryString(HKEY_LOCAL_MACHINE, kKeys + u"\\" + key, u"Name", u"Button");
    }
  }
  void Notify(LONG event, const std::u16string& path) {
    SendMessageW(window, 0x8101, 0, reinterpret_cast<LPARAM>(devtest::MakeFileChangeNotification(event, path)));
  }
  struct RecordingLoader final : StorageEventSink {
    void CatalogueAdd(const EncodedString& f) override { events.push_back("add " + Text(f)); }
    void CatalogueRemove(const EncodedString& f) override { events.push_back("remove " + Text(f)); }
    void CatalogueOpen(const EncodedString& f) override { events.push_back("open " + Text(f)); }
    void CatalogueFind(const EncodedString& f, const EncodedString& name) override {
      events.push_back("find " + Text(f) + " as " + Text(name));
    }
    static std::string Text(const EncodedString& s) { return testbuild::FakeFrameView::Narrow(s); }
    std::vector<std::string> events;
  } loader;
  std::vector<std::string> Reloads() {
    std::vector<std::string> out;
    for (const std::string& call : view.calls) {
      if (call.rfind("reload ", 0) == 0) out.push_back(call);
    }
    return out;
  }
};

}  // namespace

TEST_F(MainWindowTest, ActivationCapturesAndReleasesTheButtons) {
  SeedButtons();
  preferences.SetButtonAction(0, 0x40);  // 0xC1: full screen
  SendMessageW(window, WM_ACTIVATE, WA_ACTIVE, 0);
  auto held = devtest::RegisteredHotKeys();
  ASSERT_EQ(held.size(), 1u);
  EXPECT_EQ(held[0].key, 0xC1u);
  EXPECT_TRUE(devtest::ShellHoldsKey(0xC2));
  SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(window));
  EXPECT_TRUE(devtest::RegisteredHotKeys().empty());
  EXPECT_NE(std::find(view.calls.begin(), view.calls.end(), "save state"), view.calls.end());
  EXPECT_NE(std::find(view.calls.begin(), view.calls.end(), "display 81"), view.calls.end());
}

TEST_F(MainWindowTest, DeactivationByAnotherProgramLeavesFullScreen) {
  controller->ToggleFullScreen(true, true);
  ASSERT_TRUE(controller->IsFullScreen());
  SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_FALSE(controller->IsFullScreen());
  EXPECT_EQ(preferences.fullScreen, 0);
}

TEST_F(MainWindowTest, ACapturedButtonRunsItsCommandOncePerPress) {
  SeedButtons();
  preferences.SetButtonAction(0, 0x8);  // 0xC1: the library, command 0
  SendMessageW(window, WM_ACTIVATE, WA_ACTIVE, 0);
  SetFocus(window);
  listener.commands.clear();
  devtest::PressHardwareButton(0xC1);
  devtest::PumpMessages();
  EXPECT_EQ(std::count(listener.commands.begin(), listener.commands.end(), 0u), 1);
  EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "open oeb:library"), 1);
  // A key-up without bit 30 is the default procedure's, not a button.
  listener.commands.clear();
  SendMessageW(window, WM_KEYUP, 0xC1, 0);
  EXPECT_TRUE(listener.commands.empty());
}

TEST_F(MainWindowTest, KeysAndTheKeypadReachTheView) {
  SetFocus(window);
  devtest::PressKey(34);  // page down
  devtest::PumpMessages();
  ASSERT_FALSE(view.keys.empty());
  EXPECT_EQ(CodeForContext(view.keys.back(), 2), 11u);
  view.keys.clear();
  preferences.defaultSelectionAction = 3;
  SendMessageW(window, WM_CHAR, '9', 0);
  ASSERT_EQ(view.keys.size(), 1u);
  EXPECT_EQ(CommandForContext(view.keys[0], 2), 58u);
  SendMessageW(window, WM_CHAR, 32, 0);  // below 33: not the keypad's
  SendMessageW(window, WM_CHAR, 13, 0);
  EXPECT_EQ(view.keys.size(), 1u);
}

TEST_F(MainWindowTest, RemovalsInABurstGiveOneRescanAfterTheLast) {
  frame.loader = &loader;
  preferences.checkBooksOnCardEject = 1;
  HCURSOR arrow = GetCursor();
  Notify(64, u"\\Storage Card");
  devtest::AdvanceTimeAndPump(300);
  Notify(64, u"\\Second Card\\");
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
  devtest::AdvanceTimeAndPump(400);  // 400 ms after the last: not yet
  EXPECT_TRUE(Reloads().empty());
  devtest::AdvanceTimeAndPump(100);
  EXPECT_EQ(Reloads(), (std::vector<std::string>{"reload \\Storage Card\\", "reload \\Second Card\\"}));
  EXPECT_EQ(GetCursor(), arrow);
  EXPECT_EQ(wrapper->pendingMediaPathCount(), 0u);
  EXPECT_EQ(loader.events, (std::vector<std::string>{"remove \\Storage Card\\", "remove \\Second Card\\"}));
  EXPECT_EQ(devtest::LiveFileChangeNotifications(), 0);
}

TEST_F(MainWindowTest, InsertionRescansAtOnceAndTheOptionOffReloadsNothing) {
  frame.loader = &loader;
  preferences.checkBooksOnCardEject = 1;
  Notify(256, u"\\New Card");
  EXPECT_EQ(loader.events, std::vector<std::string>{"find \\New Card\\ as New Card"});
  Notify(32, u"\\New Card");
  EXPECT_EQ(loader.events.back(), "add \\New Card\\");
  preferences.checkBooksOnCardEject = 0;
  HCURSOR arrow = GetCursor();
  Notify(128, u"\\Gone");
  devtest::AdvanceTimeAndPump(600);
  EXPECT_TRUE(Reloads().empty());
  EXPECT_EQ(GetCursor(), arrow);
  EXPECT_EQ(wrapper->pendingMediaPathCount(), 0u);
  // Records the window cannot use are ignored; valid ones are always freed.
  SendMessageW(window, 0x8101, 0, 0);
  SendMessageW(window, 0x8101, 0, -4);
  frame.loader = nullptr;
  Notify(64, u"\\Whatever");
  EXPECT_EQ(devtest::LiveFileChangeNotifications(), 0);
}

TEST_F(MainWindowTest, ChildrenThatNotifyWhileTheWindowClosesTouchNothingFreed) {
  // A child whose destruction notifies its parent, as list views and edits
  // may.
  static HWND s_parent = nullptr;
  WNDCLASSW wc{};
  wc.lpszClassName = u"NotifyingChild";
  wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_DESTROY && s_parent != nullptr) {
      SendMessageW(s_parent, WM_COMMAND, 0x03000001, reinterpret_cast<LPARAM>(w));
      SendMessageW(s_parent, WM_KEYDOWN, 34, 0);
      SendMessageW(s_parent, WM_TIMER, 0x100, 0);
    }
    return DefWindowProcW(w, m, wp, lp);
  };
  RegisterClassW(&wc);
  s_parent = window;
  CreateWindowExW(0, u"NotifyingChild", u"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window, nullptr, nullptr, nullptr);
  // The frame is freed by the close (as the window set frees the record).
  frame.controller = nullptr;
  frame.view = nullptr;
  SendMessageW(window, WM_CLOSE, 0, 0);
  s_parent = nullptr;
  EXPECT_FALSE(IsWindow(window));
  window = nullptr;
}
