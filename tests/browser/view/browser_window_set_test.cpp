// The browser window set: opening in its two steps with and without
// storage, the window list, link-target windows, and closing in order,
// also after any step or allocation failed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/view/browser_view.h"
#include "browser/view/browser_window_set.h"
#include "platform/files/files.h"
#include "platform/testing/allocation.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"
#include "storage/settings/global_settings_file.h"
#include "tests/support/fake_window_set_services.h"

namespace {

constexpr WCHAR kSettingsPath[] = u"\\Data\\QVR_global_configuration.qvr";

SharedWideString Wide(const char16_t* text) { return SharedWideString(reinterpret_cast<const WCHAR*>(text)); }

std::string Narrow(const SharedWideString& text) {
  std::string out;
  for (uint32_t i = 0; i < text.length; ++i) out += static_cast<char>(text.Chars()[i]);
  return out;
}

bool IsUpperHex(const std::string& digits) {
  if (digits.empty() || digits[0] == '0') return false;
  for (char c : digits) {
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  return true;
}

class WindowSetTest : public ::testing::Test {
 protected:
  FakeWindowSetServices services;
  BrowserWindowSet set{&services};

  void OpenBoth(bool withStorage) {
    ASSERT_EQ(set.Open(withStorage), 0);
    ASSERT_EQ(set.CreateLoader(nullptr), 0);
  }
  // The position of the first journal entry equal to `entry`, or -1.
  int At(const std::string& entry) const {
    for (size_t i = 0; i < services.journal.size(); ++i) {
      if (services.journal[i] == entry) return static_cast<int>(i);
    }
    return -1;
  }
};

TEST_F(WindowSetTest, OpensAndClosesWithAndWithoutStorage) {
  for (bool withStorage : {true, false}) {
    SCOPED_TRACE(withStorage);
    services.journal.clear();
    OpenBoth(withStorage);
    EXPECT_EQ(set.settingsFile != nullptr, withStorage);
    EXPECT_EQ(set.formLog != nullptr, withStorage);
    EXPECT_EQ(At(withStorage ? "load from file" : "load defaults") >= 0, true);
    ASSERT_NE(set.mainWindow, nullptr);
    BrowserWindow* main = set.mainWindow;
    const std::string name = Narrow(main->name);
    ASSERT_EQ(name.compare(0, 4, "main"), 0);
    EXPECT_TRUE(IsUpperHex(name.substr(4))) << name;
    ASSERT_NE(main->view, nullptr);
    EXPECT_EQ(set.FindWindowView(main->name), main->view);
    EXPECT_EQ(main->view->GetWindow(), main);
    auto* controller = static_cast<FakeWindowController*>(main->controller);
    EXPECT_EQ(controller->wiring.view, main->view);
    EXPECT_EQ(controller->wiring.loader, set.loader);
    EXPECT_EQ(controller->wiring.settingsFile, set.settingsFile);
    EXPECT_EQ(controller->wiring.display, &main->display);
    EXPECT_EQ(main->view->GetParent(), main->surface);

    set.Close();
    EXPECT_EQ(set.mainWindow, nullptr);
    EXPECT_EQ(set.WindowCount(), 0u);
    EXPECT_EQ(set.loader, nullptr);
    EXPECT_EQ(set.settingsFile, nullptr);
    EXPECT_EQ(set.environment, nullptr);
    // The view goes while everything it reaches lives; the preferences are
    // saved after the controller and surface went, without reaching the
    // controller; the environment goes last.
    const int unwire = At("unwire " + name);
    const int controllerGone = At("controller deleted " + name);
    const int surfaceGone = At("surface deleted " + name);
    const int saved = At(withStorage ? "save to file" : "save nowhere");
    ASSERT_GE(unwire, 0);
    EXPECT_LT(unwire, controllerGone);
    EXPECT_LT(controllerGone, surfaceGone);
    EXPECT_LT(surfaceGone, saved);
    EXPECT_EQ(services.journal.back(), "environment deleted");
  }
}

TEST_F(WindowSetTest, ASettingsFileThatOnlyOpensReadOnlyStillStarts) {
  OpenBoth(true);
  set.Close();
  ASSERT_TRUE(SetFileAttributesW(kSettingsPath, FILE_ATTRIBUTE_READONLY));
  OpenBoth(true);
  ASSERT_NE(set.settingsFile, nullptr);
  EXPECT_TRUE(set.settingsFile->IsReadOnly());
  EXPECT_NE(set.mainWindow->view, nullptr);
}

TEST_F(WindowSetTest, RemovingWindowsKeepsTheOthersInOrder) {
  OpenBoth(false);
  BrowserWindow* main = set.mainWindow;
  BrowserWindow* help = set.OpenTargetWindow(Wide(u"help"), Rect{0, 0, 100, 100}, nullptr, false, false);
  BrowserWindow* other = set.OpenTargetWindow(Wide(u"other"), Rect{0, 0, 100, 100}, nullptr, false, false);
  ASSERT_NE(help, nullptr);
  ASSERT_NE(other, nullptr);
  BrowserWindow stranger(nullptr);
  set.RemoveWindow(&stranger);
  ASSERT_EQ(set.WindowCount(), 3u);
  set.RemoveWindow(main);
  EXPECT_EQ(set.mainWindow, nullptr);
  ASSERT_EQ(set.WindowCount(), 2u);
  EXPECT_EQ(set.WindowAt(0), help);
  EXPECT_EQ(set.WindowAt(1), other);
  // The main window is no longer the set's to close.
  main->owner = nullptr;
  main->Destroy();
  delete main;
}

TEST_F(WindowSetTest, CloseDestroysTheMainWindowFirstAndEveryWindowOnce) {
  OpenBoth(true);
  const std::string main = Narrow(set.mainWindow->name);
  ASSERT_NE(set.OpenTargetWindow(Wide(u"help"), Rect{}, nullptr, false, false), nullptr);
  ASSERT_NE(set.OpenTargetWindow(Wide(u"_blank"), Rect{}, nullptr, false, false), nullptr);
  const std::string blank = Narrow(set.WindowAt(2)->name);
  services.journal.clear();
  set.Close();
  const std::vector<std::string> expected{"controller deleted " + main, "controller deleted help",
                                          "controller deleted " + blank};
  EXPECT_EQ(services.Entries("controller deleted"), expected);
  EXPECT_EQ(services.Entries("target frame destroyed").size(), 2u);
  EXPECT_EQ(services.Entries("surface deleted").size(), 3u);
}

TEST_F(WindowSetTest, FindWindowViewComparesWholeNamesWithCase) {
  OpenBoth(false);
  BrowserWindow* help = set.OpenTargetWindow(Wide(u"help"), Rect{}, nullptr, false, false);
  ASSERT_NE(help, nullptr);
  const struct {
    const char16_t* name;
    bool found;
  } cases[] = {{u"help", true}, {u"Help", false}, {u"HELP", false}, {u"hel", false}, {u"help2", false}, {u"", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(Wide(c.name)));
    EXPECT_EQ(set.FindWindowView(Wide(c.name)), c.found ? help->view : nullptr);
  }
}

TEST_F(WindowSetTest, TargetWindowsAreNamedPlacedAndTitled) {
  OpenBoth(false);
  BrowserWindow* first = set.OpenTargetWindow(Wide(u"_blank"), Rect{10, 20, 100, 80}, nullptr, true, false);
  BrowserWindow* second = set.OpenTargetWindow(Wide(u"_blank"), Rect{0, 0, 50, 50}, nullptr, false, true);
  const SharedWideString title = Wide(u"Notes");
  BrowserWindow* help = set.OpenTargetWindow(Wide(u"help"), Rect{0, 0, 50, 50}, &title, false, false);
  ASSERT_TRUE(first != nullptr && second != nullptr && help != nullptr);
  const std::string a = Narrow(first->name);
  const std::string b = Narrow(second->name);
  EXPECT_EQ(a.compare(0, 3, "wnd"), 0);
  EXPECT_EQ(b.compare(0, 3, "wnd"), 0);
  EXPECT_TRUE(IsUpperHex(a.substr(3))) << a;
  EXPECT_NE(a, b);
  EXPECT_EQ(Narrow(help->name), "help");
  // Untitled windows take their view's title; a given title is kept.
  EXPECT_EQ(services.Entries("title "), (std::vector<std::string>{"title " + a, "title " + b}));
  EXPECT_EQ(services.Entries("target frame help"), std::vector<std::string>{"target frame help titled"});
  RECT placed{};
  ASSERT_TRUE(GetWindowRect(first->surface->Window(), &placed));
  EXPECT_EQ(placed.left, 10);
  EXPECT_EQ(placed.top, 20);
  EXPECT_EQ(placed.right - placed.left, 100);
  EXPECT_EQ(placed.bottom - placed.top, 80);

  services.failing.insert("target frame");
  EXPECT_EQ(set.OpenTargetWindow(Wide(u"late"), Rect{}, nullptr, false, false), nullptr);
  EXPECT_EQ(set.WindowCount(), 4u);
  EXPECT_EQ(set.FindWindowView(Wide(u"late")), nullptr);
}

// Each failing step answers 1 where it happens; Close then frees whatever
// was made (the sanitizers see the rest).
TEST_F(WindowSetTest, AFailedStepFailsItsOpeningAndCloseIsClean) {
  const struct {
    const char* step;
    int open;
    int loader;
  } cases[] = {{"environment", 1, -1}, {"form log", 0, 0},    {"controller", 1, -1},
               {"preferences", 0, 1},  {"load", 0, 1},        {"surface", 0, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.step);
    FakeWindowSetServices failing;
    failing.failing.insert(c.step);
    BrowserWindowSet local(&failing);
    EXPECT_EQ(local.Open(true), c.open);
    if (c.loader >= 0) {
      EXPECT_EQ(local.CreateLoader(nullptr), c.loader);
    }
    local.Close();
    EXPECT_EQ(local.WindowCount(), 0u);
    EXPECT_EQ(local.environment, nullptr);
  }
}

TEST_F(WindowSetTest, CloseAfterAnAllocationFailureAnywhereIsClean) {
  bool opened = false;
  long n = 1;
  for (; n < 2000 && !opened; ++n) {
    FakeWindowSetServices local;
    BrowserWindowSet trial(&local);
    int result = 0;
    BrowserWindow* target = nullptr;
    const long before = devtest::InjectedAllocationFailures();
    long after = before;
    {
      devtest::AllocationFailure failing(n);
      result = trial.Open(true);
      if (result == 0) result = trial.CreateLoader(nullptr);
      if (result == 0) target = trial.OpenTargetWindow(Wide(u"_blank"), Rect{0, 0, 60, 60}, nullptr, false, false);
      after = devtest::InjectedAllocationFailures();
    }
    opened = result == 0 && target != nullptr && after == before;
    trial.Close();
    EXPECT_EQ(trial.WindowCount(), 0u) << n;
  }
  EXPECT_TRUE(opened) << "still failing after " << n << " allocations";
}

}  // namespace

namespace {

// A view without the application's hooks opens link targets as windows of
// the set; a named window that exists is reused.
TEST_F(WindowSetTest, AViewWithoutHooksOpensTargetsAsWindowsOfTheSet) {
  OpenBoth(false);
  BrowserView* main = set.mainWindow->view;
  DocumentView* blank = main->CreateTargetView(Wide(u"_blank"), Rect{0, 0, 80, 80});
  ASSERT_NE(blank, nullptr);
  ASSERT_EQ(set.WindowCount(), 2u);
  EXPECT_EQ(set.WindowAt(1)->view, blank);
  EXPECT_EQ(Narrow(set.WindowAt(1)->name).compare(0, 3, "wnd"), 0);
  DocumentView* help = main->CreateTargetView(Wide(u"help"), Rect{});
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(main->FindTargetView(Wide(u"help")), help);
  EXPECT_EQ(set.WindowCount(), 3u);
}

}  // namespace
