// The display orientation, notifications, change notifications, the phone,
// gestures and the auto-run path of the emulated shell.
#include <gtest/gtest.h>

#include "platform/core/last_error.h"
#include "platform/files/files.h"
#include "platform/gdi/gdi.h"
#include "platform/shell/display_settings.h"
#include "platform/shell/shell_calls.h"
#include "platform/testing/profile.h"
#include "platform/testing/shell.h"

namespace {

HWND Window(uintptr_t n) { return reinterpret_cast<HWND>(n * 16); }

class ShellServices : public ::testing::Test {
 protected:
  void SetUp() override { devtest::ResetShell(); }
};

LONG Display(DWORD fields, DWORD orientation, DWORD flags, DEVMODEW* out = nullptr) {
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  mode.dmFields = fields;
  mode.dmDisplayOrientation = orientation;
  LONG result = devshell::ChangeDisplaySettingsEx(nullptr, &mode, nullptr, flags, nullptr);
  if (out) *out = mode;
  return result;
}

TEST_F(ShellServices, OrientationIsQueriedSetAndReadBack) {
  DEVMODEW mode{};
  ASSERT_EQ(Display(DM_DISPLAYQUERYORIENTATION, 0, CDS_TEST, &mode), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(mode.dmDisplayQueryOrientation, DMDO_90 | DMDO_180 | DMDO_270);
  EXPECT_EQ(Display(DM_DISPLAYORIENTATION, DMDO_270, CDS_RESET), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(devtest::DisplayOrientation(), DMDO_270);
  ASSERT_EQ(Display(DM_DISPLAYORIENTATION, 0, CDS_TEST, &mode), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(mode.dmDisplayOrientation, DMDO_270);
  EXPECT_EQ(Display(DM_DISPLAYORIENTATION, 3, CDS_RESET), DISP_CHANGE_BADMODE);  // not an orientation
  EXPECT_EQ(devshell::ChangeDisplaySettingsEx(nullptr, nullptr, nullptr, CDS_TEST, nullptr), DISP_CHANGE_BADPARAM);
  EXPECT_EQ(devtest::DisplayOrientation(), DMDO_270);
}

TEST_F(ShellServices, OrientationStartsAsTheProfileSaysUntilItIsChanged) {
  devtest::DeviceProfile profile = devtest::Profile();
  profile.orientation = DMDO_90;
  devtest::SetProfile(profile);
  EXPECT_EQ(devtest::DisplayOrientation(), DMDO_90);
  DEVMODEW mode{};
  ASSERT_EQ(Display(DM_DISPLAYORIENTATION, 0, CDS_TEST, &mode), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(mode.dmDisplayOrientation, DMDO_90);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 320);  // the screen is turned from the start
  EXPECT_EQ(Display(DM_DISPLAYORIENTATION, DMDO_0, CDS_RESET), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(devtest::DisplayOrientation(), DMDO_0);  // the change holds over the profile
  devtest::ResetShell();
  EXPECT_EQ(devtest::DisplayOrientation(), DMDO_90);

  // Upright when the display cannot rotate or the profile's value is none.
  profile.canRotate = false;
  devtest::SetProfile(profile);
  EXPECT_EQ(devtest::DisplayOrientation(), DMDO_0);
  profile.canRotate = true;
  profile.orientation = 3;
  devtest::SetProfile(profile);
  EXPECT_EQ(devtest::DisplayOrientation(), DMDO_0);
}

TEST_F(ShellServices, FixedDisplayAndInjectedFailureKeepTheOrientation) {
  devtest::FailDisplayChanges(DISP_CHANGE_FAILED);
  EXPECT_EQ(Display(DM_DISPLAYORIENTATION, DMDO_90, CDS_RESET), DISP_CHANGE_FAILED);
  EXPECT_EQ(devtest::DisplayOrientation(), DMDO_0);
  EXPECT_EQ(Display(DM_DISPLAYQUERYORIENTATION, 0, CDS_TEST), DISP_CHANGE_SUCCESSFUL);  // queries still answer
  devtest::FailDisplayChanges(0);

  devtest::DeviceProfile profile = devtest::Profile();
  profile.canRotate = false;
  devtest::SetProfile(profile);
  EXPECT_EQ(Display(DM_DISPLAYQUERYORIENTATION, 0, CDS_TEST), DISP_CHANGE_BADMODE);
  EXPECT_EQ(Display(DM_DISPLAYORIENTATION, DMDO_180, CDS_RESET), DISP_CHANGE_BADMODE);
  EXPECT_EQ(Display(DM_DISPLAYORIENTATION, DMDO_0, CDS_RESET), DISP_CHANGE_SUCCESSFUL);
  auto calls = devtest::ShellCallsTo("ChangeDisplaySettingsEx");
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[3].args, (std::vector<int64_t>{DM_DISPLAYORIENTATION, DMDO_180, CDS_RESET}));
  EXPECT_EQ(calls[3].result, DISP_CHANGE_BADMODE);
}

TEST_F(ShellServices, NotificationsAreShownReplacedAndRemoved) {
  const CLSID kind{0x2F79B2A9, 0xC64C, 0x4FE0, {0x98, 0x78, 0x24, 0x5D, 0x2C, 0xB0, 0xBA, 0x87}};
  SHNOTIFICATIONDATA data{};
  data.cbStruct = sizeof(data);
  data.dwID = 7;
  data.npPriority = SHNP_INFORM;
  data.csDuration = 5;
  data.clsid = kind;
  data.pszHTML = u"<b>first</b>";
  data.pszTitle = u"Title";
  EXPECT_EQ(devshell::SHNotificationAdd(&data), 0);
  data.pszHTML = u"second";
  EXPECT_EQ(devshell::SHNotificationAdd(&data), 0);
  auto shown = devtest::ShownNotifications();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].html, u"second");
  EXPECT_EQ(shown[0].title, u"Title");
  EXPECT_EQ(shown[0].priority, SHNP_INFORM);

  EXPECT_NE(devshell::SHNotificationRemove(&kind, 8), 0);
  EXPECT_EQ(devshell::SHNotificationRemove(&kind, 7), 0);
  EXPECT_TRUE(devtest::ShownNotifications().empty());
  data.cbStruct = 12;
  EXPECT_NE(devshell::SHNotificationAdd(&data), 0);
}

TEST_F(ShellServices, ChangeNotificationsRegisterAndFreeByReference) {
  SHCHANGENOTIFYENTRY entry{0x1E0, nullptr, FALSE};
  EXPECT_FALSE(devshell::SHChangeNotifyRegister(nullptr, &entry));
  ASSERT_TRUE(devshell::SHChangeNotifyRegister(Window(1), &entry));
  entry.dwEventMask = SHCNE_MEDIAINSERTED;
  ASSERT_TRUE(devshell::SHChangeNotifyRegister(Window(1), &entry));  // replaces
  auto registrations = devtest::ChangeNotifyRegistrations();
  ASSERT_EQ(registrations.size(), 1u);
  EXPECT_EQ(registrations[0].events, SHCNE_MEDIAINSERTED);

  FILECHANGENOTIFY* note = devtest::MakeFileChangeNotification(SHCNE_MEDIAINSERTED, u"\\Storage Card");
  EXPECT_EQ(std::u16string(reinterpret_cast<LPCWSTR>(note->fci.dwItem1)), u"\\Storage Card");
  note->dwRefCount = 2;
  devshell::SHChangeNotifyFree(note);
  EXPECT_EQ(devtest::LiveFileChangeNotifications(), 1);
  devshell::SHChangeNotifyFree(note);
  EXPECT_EQ(devtest::LiveFileChangeNotifications(), 0);

  EXPECT_TRUE(devshell::SHChangeNotifyDeregister(Window(1)));
  EXPECT_FALSE(devshell::SHChangeNotifyDeregister(Window(1)));
}

TEST_F(ShellServices, PhoneCallsGesturesAndAutoRun) {
  EXPECT_EQ(devshell::tapiRequestMakeCallW(u"5550100", u"app", u"Shop", nullptr), 0);
  EXPECT_EQ(devshell::tapiRequestMakeCallW(u"", nullptr, nullptr, nullptr), TAPIERR_INVALDESTADDRESS);
  devtest::SetPhoneCallAnswer(TAPIERR_NOREQUESTRECIPIENT);
  EXPECT_EQ(devshell::tapiRequestMakeCallW(u"5550101", nullptr, nullptr, nullptr), TAPIERR_NOREQUESTRECIPIENT);
  auto placed = devtest::PlacedCalls();
  ASSERT_EQ(placed.size(), 1u);
  EXPECT_EQ(placed[0].number, u"5550100");
  EXPECT_EQ(placed[0].calledParty, u"Shop");

  SHRGINFO gesture{sizeof(SHRGINFO), Window(2), {10, 20}, SHRG_RETURNCMD};
  EXPECT_EQ(devshell::SHRecognizeGesture(&gesture), 0u);
  devtest::SetGestureAnswer(GN_CONTEXTMENU);
  EXPECT_EQ(devshell::SHRecognizeGesture(&gesture), GN_CONTEXTMENU);
  EXPECT_EQ(devtest::ShellCallsTo("SHRecognizeGesture")[1].args, (std::vector<int64_t>{10, 20, SHRG_RETURNCMD}));

  WCHAR path[MAX_PATH] = {};
  ASSERT_TRUE(devshell::SHGetAutoRunPath(path));
  EXPECT_EQ(std::u16string(path), u"\\Storage Card\\2577\\autorun.exe");
}

TEST_F(ShellServices, WindowCallsWithoutTheWindowsLayerAnswerSoftly) {
  SHMENUBARINFO bar{};
  bar.cbSize = sizeof(bar);
  bar.hwndParent = Window(1);
  EXPECT_FALSE(devshell::SHCreateMenuBar(&bar));
  EXPECT_EQ(devshell::SHFindMenuBar(Window(1)), nullptr);
  EXPECT_TRUE(devshell::SHFullScreen(Window(1), SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON));
  EXPECT_EQ(devtest::ShellCallsTo("SHFullScreen")[0].args, (std::vector<int64_t>{42}));
  SHINITDLGINFO dialog{SHIDIM_FLAGS, Window(3), SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN};
  EXPECT_TRUE(devshell::SHInitDialog(&dialog));
  EXPECT_FALSE(devshell::SHDoneButton(Window(3), 3));
  EXPECT_TRUE(devshell::SHSetAppKeyWndAssoc(0xC1, Window(4)));
  EXPECT_EQ(devshell::AppKeyWindow(0xC1), Window(4));
  CM_VOICE_RECORDER recorder{sizeof(CM_VOICE_RECORDER), VRS_NO_MOVE, 0, 0, Window(1), 0, nullptr};
  EXPECT_EQ(devshell::VoiceRecorder_Create(&recorder), nullptr);
}

}  // namespace

namespace {

// On the host nothing shows a notification and there is no phone: the calls
// say so instead of answering success for work nobody did.
TEST_F(ShellServices, OnTheHostNotificationsAndCallsFailAsNotSupported) {
  devtest::UseHostShell();
  SHNOTIFICATIONDATA data{};
  data.cbStruct = sizeof(data);
  data.dwID = 7;
  data.pszTitle = u"Title";
  EXPECT_EQ(devshell::SHNotificationAdd(&data), static_cast<LRESULT>(ERROR_NOT_SUPPORTED));
  EXPECT_TRUE(devtest::ShownNotifications().empty());
  EXPECT_EQ(devshell::SHNotificationRemove(&data.clsid, 7), static_cast<LRESULT>(ERROR_FILE_NOT_FOUND));

  SetLastError(0);
  EXPECT_EQ(devshell::tapiRequestMakeCallW(u"5550100", u"app", nullptr, nullptr), TAPIERR_NOREQUESTRECIPIENT);
  EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
  EXPECT_TRUE(devtest::PlacedCalls().empty());

  CM_VOICE_RECORDER recorder{sizeof(CM_VOICE_RECORDER), VRS_NO_MOVE, 0, 0, Window(1), 0, nullptr};
  SetLastError(0);
  EXPECT_EQ(devshell::VoiceRecorder_Create(&recorder), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);

  // The journal still shows what was asked and answered.
  auto calls = devtest::ShellCallsTo("SHNotificationAdd");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].result, static_cast<int64_t>(ERROR_NOT_SUPPORTED));

  // The test's script comes back with the reset.
  devtest::ResetShell();
  EXPECT_EQ(devshell::SHNotificationAdd(&data), 0);
  EXPECT_EQ(devshell::tapiRequestMakeCallW(u"5550100", nullptr, nullptr, nullptr), 0);
}

}  // namespace
