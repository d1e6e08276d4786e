// The controller's full screen, shell requests (beaming, programs,
// addresses) with the refusals of what a book's script may not choose, and
// the window title.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/files/files.h"
#include "platform/gdi/gdi.h"
#include "platform/windows/window_positions.h"
#include "platform/launch/launch.h"
#include "platform/testing/launch.h"
#include "platform/testing/profile.h"
#include "platform/testing/shell.h"
#include "platform/threads/threads.h"
#include "platform/time/tick_count.h"
#include "tests/app/frame_fixture.h"
#include "tests/support/palm_database_builder.h"

using apptest::FrameFixture;

namespace {

class ControllerTest : public FrameFixture {
 protected:
  RECT WindowRect() {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
  }
  std::vector<devtest::LaunchRequest> Launches() { return devtest::LaunchRequests(); }
};

EncodedString Wide(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

}  // namespace

TEST_F(ControllerTest, FullScreenAndBack) {
  devtest::ClearShellCalls();
  const DWORD before = GetTickCount();
  controller->ToggleFullScreen(true, true);
  EXPECT_TRUE(controller->IsFullScreen());
  EXPECT_EQ(preferences.fullScreen, 1);
  EXPECT_GE(GetTickCount() - before, 500u);
  EXPECT_EQ(WindowRect().top, 0);
  EXPECT_FALSE(controller->readingBar().shown());
  auto calls = devtest::ShellCallsTo("SHFullScreen");
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().args.at(0), 42);

  controller->ToggleFullScreen(true, true);
  EXPECT_FALSE(controller->IsFullScreen());
  EXPECT_EQ(WindowRect().top, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME));
  EXPECT_TRUE(controller->readingBar().shown());
  EXPECT_EQ(devtest::ShellCallsTo("SHFullScreen").back().args.at(0), 21);

  // While the drawing bar shows, nothing changes.
  controller->drawingBar().Show(true);
  devtest::ClearShellCalls();
  controller->ToggleFullScreen(true, true);
  EXPECT_FALSE(controller->IsFullScreen());
  EXPECT_TRUE(devtest::ShellCallsTo("SHFullScreen").empty());
}

TEST_F(ControllerTest, TheFirstHotKeyOfEachPressActsOnce) {
  // F1 as a hot key: two messages per press, one toggle.
  SendMessageW(window, WM_HOTKEY, 1, static_cast<LPARAM>(112) << 16);
  SendMessageW(window, WM_HOTKEY, 1, static_cast<LPARAM>(112) << 16);
  EXPECT_TRUE(controller->IsFullScreen());
  SendMessageW(window, WM_HOTKEY, 1, static_cast<LPARAM>(27) << 16);
  SendMessageW(window, WM_HOTKEY, 1, static_cast<LPARAM>(27) << 16);
  EXPECT_EQ(std::count(listener.commands.begin(), listener.commands.end(), 23u), 1);
}

TEST_F(ControllerTest, BeamingProgramPerDeviceTree) {
  devtest::ScriptLaunchAnswer(TRUE);
  view.hasDocument = true;
  view.path = u"\\eBooks\\a.corv";
  EXPECT_FALSE(IsBeamAvailable());
  controller->ExecuteCommand(8, true);
  EXPECT_TRUE(Launches().empty());
  CreateDirectoryW(u"\\windows", nullptr);
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\windows\\irsquirt.exe", {1}));
  controller->ExecuteCommand(8, true);
  ASSERT_EQ(Launches().size(), 1u);
  EXPECT_EQ(Launches()[0].file, u"irsquirt.exe");
  EXPECT_EQ(Launches()[0].parameters, u"\\eBooks\\a.corv");
  EXPECT_EQ(Launches()[0].verb, u"Open");
  EXPECT_EQ(Launches()[0].show, 5);
  EXPECT_EQ(Launches()[0].mask, SEE_MASK_NOCLOSEPROCESS);
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\windows\\beam.exe", {1}));
  controller->ExecuteCommand(8, true);
  EXPECT_EQ(Launches().back().file, u"beam.exe");
}

TEST_F(ControllerTest, ScriptChosenProgramsAndPathsAreChecked) {
  devtest::ScriptLaunchAnswer(TRUE);
  view.path = u"\\eBooks\\Guide\\book.corv";
  EXPECT_TRUE(controller->OpenInExternalProgram(Wide(u"notes.txt")));
  EXPECT_EQ(Launches().back().file, u"\\eBooks\\Guide\\notes.txt");
  for (const char16_t* bad : {u"..\\x.exe", u"a\\..\\..\\b.txt", u"\\Windows\\x.exe", u"tessalyn.exe",
                              u"sub\\TESSALYN.EXE"}) {
    EXPECT_FALSE(controller->OpenInExternalProgram(Wide(bad))) << std::string(bad, bad + 3).size();
  }
  EXPECT_TRUE(controller->OpenInWordProcessor(Wide(u"WordPad.exe"), Wide(u"\\My Documents\\A.doc")));
  EXPECT_EQ(Launches().back().file, u"pword.exe");
  EXPECT_EQ(Launches().back().parameters, u"\\my documents\\a.doc");
  EXPECT_FALSE(controller->OpenInWordProcessor(Wide(u"\\Windows\\pword.exe"), Wide(u"a.doc")));
  EXPECT_FALSE(controller->OpenInWordProcessor(Wide(u"tessalyn.exe"), Wide(u"a.doc")));
  struct Case {
    const char16_t* path;
    bool allowed;
  } cases[] = {{u"\\My Documents\\cart.xml", true},      {u"\\eBooks\\a.corv", false},
               {u"\\Windows\\x.QVR", false},              {u"\\x.ebase", false},
               {u"\\x.htm", false},                        {u"\\x.txt", false},
               {u"\\Windows\\QVR_global_configuration.qvr", false}, {u"\\list.qvl", false}};
  for (const Case& c : cases) EXPECT_EQ(controller->MayWriteCartTo(Wide(c.path)), c.allowed);
}

TEST_F(ControllerTest, StoreAddressGoesThroughTheShell) {
  devtest::ScriptLaunchAnswer(TRUE);
  controller->ExecuteCommand(9, true);
  ASSERT_EQ(Launches().size(), 1u);
  EXPECT_EQ(Launches()[0].file.rfind(u"https:", 0), 0u);
}

TEST_F(ControllerTest, WindowTitleInABookAndOnTheLibrary) {
  view.title = u"Salt & Smoke";
  controller->UpdateWindowTitle();
  WCHAR text[128] = {};
  GetWindowTextW(window, text, 128);
  EXPECT_EQ(std::u16string(text), u"Salt &amp; Smoke - Corvelline Reader");
  controller->ShowLibraryTitle();
  GetWindowTextW(window, text, 128);
  EXPECT_EQ(std::u16string(text), u"Corvelline Reader");
}
