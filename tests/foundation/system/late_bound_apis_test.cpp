// The late-bound table: bound by name at start, every wrapper answering its
// neutral value without calling anything when its library or function is
// missing, and the shell's claim on a key released before every hot-key
// registration.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/system/late_bound_apis.h"
#include "platform/testing/modules.h"
#include "platform/testing/shell.h"

namespace {

HWND Window(uintptr_t n) { return reinterpret_cast<HWND>(n * 16); }

class LateBound : public ::testing::Test {
 protected:
  void SetUp() override { devtest::ResetShell(); }
  void TearDown() override {
    // Later tests expect the device's full table again.
    devtest::ResetModules();
    LateBoundApis::Instance().Load();
  }
  // Reloads the table on a device without these libraries.
  static void ReloadWithout(const std::vector<std::string>& libraries) {
    for (const auto& library : libraries) devtest::SetModulePresent(library, false);
    LateBoundApis::Instance().Load();
  }
};

struct Wrapper {
  const char* name;
  const char* library;
  std::function<int64_t()> call;
  int64_t neutral;
};

std::vector<Wrapper> Wrappers() {
  static SHINITDLGINFO dialog{SHIDIM_FLAGS, Window(1), SHIDIF_DONEBUTTON};
  static SHMENUBARINFO bar{sizeof(SHMENUBARINFO), Window(1), 0, 100, nullptr, 0, 0, nullptr, 0};
  static SHNOTIFICATIONDATA note{sizeof(SHNOTIFICATIONDATA), 1, SHNP_INFORM, 5, nullptr, 0, {}, nullptr, u"t", u"t", 0};
  static SHCHANGENOTIFYENTRY entry{0x1E0, nullptr, FALSE};
  static SHRGINFO gesture{sizeof(SHRGINFO), Window(1), {1, 2}, 0};
  static CM_VOICE_RECORDER recorder{sizeof(CM_VOICE_RECORDER), 0, 0, 0, Window(1), 0, nullptr};
  static DEVMODEW mode{};
  static WCHAR path[MAX_PATH];
  auto pointer = [](const void* p) { return p ? int64_t{1} : int64_t{0}; };
  return {
      {"SHInitDialog", "aygshell.dll", [] { return CallSHInitDialog(&dialog); }, 0},
      {"SHCreateMenuBar", "aygshell.dll", [] { return CallSHCreateMenuBar(&bar); }, 0},
      {"SHFindMenuBar", "aygshell.dll", [=] { return pointer(CallSHFindMenuBar(Window(1))); }, 0},
      {"SHFullScreen", "aygshell.dll", [] { return CallSHFullScreen(Window(1), SHFS_HIDETASKBAR); }, 0},
      {"SHGetAutoRunPath", "aygshell.dll", [] { return CallSHGetAutoRunPath(path); }, 0},
      {"SHSetNavBarText", "aygshell.dll", [] { return CallSHSetNavBarText(Window(1), u"Title"); }, 0},
      {"SHRecognizeGesture", "aygshell.dll", [] { return CallSHRecognizeGesture(&gesture); }, 0},
      {"SHDoneButton", "aygshell.dll", [] { return CallSHDoneButton(Window(1), SHDB_SHOW); }, 0},
      {"SHSetAppKeyWndAssoc", "aygshell.dll", [] { return CallSHSetAppKeyWndAssoc(0xC1, Window(1)); }, 0},
      {"SHNotificationAdd", "aygshell.dll", [] { return CallSHNotificationAdd(&note); }, 1},
      {"SHNotificationRemove", "aygshell.dll", [] { return CallSHNotificationRemove(&note.clsid, 1); }, 1},
      {"SHChangeNotifyRegister", "aygshell.dll", [] { return CallSHChangeNotifyRegister(Window(1), &entry); }, 0},
      {"SHChangeNotifyDeregister", "aygshell.dll", [] { return CallSHChangeNotifyDeregister(Window(1)); }, 0},
      {"SHChangeNotifyFree", "aygshell.dll",
       [] {
         CallSHChangeNotifyFree(nullptr);
         return int64_t{0};
       },
       0},
      {"tapiRequestMakeCallW", "cellcore.dll",
       [] { return CallTapiRequestMakeCall(u"", nullptr, nullptr, nullptr); }, 0},
      {"VoiceRecorder_Create", "voicectl.dll", [=] { return pointer(CallVoiceRecorderCreate(&recorder)); }, 0},
      {"ChangeDisplaySettingsEx", "coredll.dll",
       [] {
         mode.dmFields = DM_DISPLAYQUERYORIENTATION;
         return CallChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr);
       },
       -1},
      {"RegisterHotKey", "coredll.dll", [] { return CallRegisterHotKey(Window(1), 27, 0, 27); }, 0},
      {"UnregisterHotKey", "coredll.dll", [] { return CallUnregisterHotKey(Window(1), 27); }, 0},
      {"UnregisterFunc1", "coredll.dll", [] { return CallUnregisterFunc1(8, 0xC1); }, 0},
  };
}

TEST_F(LateBound, StartupBindsEveryEntryPoint) {
  const LateBoundApis& apis = LateBoundApis::Instance();
  EXPECT_NE(apis.aygshell, nullptr);
  EXPECT_NE(apis.cellcore, nullptr);
  EXPECT_NE(apis.voicectl, nullptr);
  EXPECT_NE(apis.coredll, nullptr);
  EXPECT_NE(apis.ceshell, nullptr);
  EXPECT_NE(apis.shSendBackToFocusWindow, nullptr);
  for (const auto& w : Wrappers()) {
    devtest::ClearShellCalls();
    w.call();
    EXPECT_EQ(devtest::ShellCallsTo(w.name).size(), 1u) << w.name << " did not reach the shell";
  }
}

TEST_F(LateBound, WithoutAygshellItsWrappersAnswerNeutralAndCallNothing) {
  ReloadWithout({"aygshell.dll"});
  EXPECT_EQ(LateBoundApis::Instance().aygshell, nullptr);
  for (const auto& w : Wrappers()) {
    if (std::string(w.library) != "aygshell.dll") continue;
    EXPECT_EQ(w.call(), w.neutral) << w.name;
  }
  EXPECT_TRUE(devtest::ShellCalls().empty());
  EXPECT_TRUE(devtest::ShownNotifications().empty());
}

TEST_F(LateBound, WithoutAnyShellLibraryEveryWrapperAnswersNeutral) {
  ReloadWithout({"aygshell.dll", "cellcore.dll", "voicectl.dll", "coredll.dll", "ceshell.dll"});
  for (const auto& w : Wrappers()) EXPECT_EQ(w.call(), w.neutral) << w.name;
  EXPECT_TRUE(devtest::ShellCalls().empty());
}

TEST_F(LateBound, SingleMissingExportsAnswerNeutral) {
  devtest::SetExportPresent("coredll.dll", "RegisterHotKey", false);
  devtest::SetExportPresent("aygshell.dll", "SHFullScreen", false);
  LateBoundApis::Instance().Load();
  EXPECT_EQ(CallSHFullScreen(Window(1), SHFS_HIDETASKBAR), 0);
  EXPECT_NE(CallSHDoneButton(Window(1), SHDB_HIDE), 0);
  // The key is still taken from the shell before the missing registration.
  EXPECT_EQ(CallRegisterHotKey(Window(1), 0xC1, 8, 0xC1), 0);
  auto calls = devtest::ShellCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].function, "SHDoneButton");
  EXPECT_EQ(calls[1].function, "UnregisterFunc1");
}

TEST_F(LateBound, HotKeyRegistrationReleasesTheShellsClaimFirst) {
  ASSERT_TRUE(devtest::ShellHoldsKey(0xC3));
  EXPECT_NE(CallRegisterHotKey(Window(2), 0xC3, 8, 0xC3), 0);
  auto calls = devtest::ShellCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].function, "UnregisterFunc1");
  EXPECT_EQ(calls[0].args, (std::vector<int64_t>{8, 0xC3}));
  EXPECT_EQ(calls[1].function, "RegisterHotKey");
}

TEST_F(LateBound, FreeGivesEveryLibraryBack) {
  int before = devtest::LoadedModuleCount();
  LateBoundApis::Instance().Free();
  EXPECT_EQ(devtest::LoadedModuleCount(), before - 5);
  EXPECT_EQ(LateBoundApis::Instance().coredll, nullptr);
  EXPECT_EQ(CallUnregisterFunc1(8, 0xC1), 0);
  LateBoundApis::Instance().Load();
  EXPECT_EQ(devtest::LoadedModuleCount(), before);
}

}  // namespace
