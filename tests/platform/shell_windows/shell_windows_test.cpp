// The shell's windows: the menu bar made from a menu and its bar
// definition, its keys and their menus, the input panel (its state, the
// settings-change broadcast, typing by taps, the bar's button), the
// task bar's Done button and full-screen dialogs.
#include <string>
#include <vector>

#include "platform/controls/edit.h"
#include "platform/controls/toolbar.h"
#include "platform/input_panel/input_panel.h"
#include "platform/menus/menus.h"
#include "platform/shell/display_settings.h"
#include "platform/shell/shell_calls.h"
#include "platform/shell_windows/menu_bar.h"
#include "platform/shell_windows/task_bar.h"
#include "platform/system/system_parameters.h"
#include "tests/platform/dialogs/dialog_fixture.h"

namespace {

using devtest::ModalKind;
using devtest::ModalView;
using dialogtest::DialogTest;

class ShellWindowsTest : public DialogTest {
 protected:
  HWND MakeBar(UINT id = 201, DWORD flags = 0) {
    SHMENUBARINFO info{};
    info.cbSize = sizeof info;
    info.hwndParent = owner;
    info.dwFlags = flags;
    info.nToolBarId = id;
    if (!devshell::SHCreateMenuBar(&info)) return nullptr;
    return info.hwndMB;
  }
  // Taps the middle of a screen rectangle.
  static void TapAt(const RECT& r) { devtest::Tap((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
  static RECT ButtonOnScreen(HWND bar, int index) {
    RECT r{};
    SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    ClientToScreen(bar, &a);
    ClientToScreen(bar, &b);
    return RECT{a.x, a.y, b.x, b.y};
  }
  size_t SettingChanges() const { return MessagesOf(WM_SETTINGCHANGE).size(); }
};

TEST_F(ShellWindowsTest, TheMenuBarShowsTheStringTablesTextsAtTheBottom) {
  HWND bar = MakeBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(devshell::SHFindMenuBar(owner), bar);
  EXPECT_EQ(GetActiveWindow(), owner);  // the bar never takes the activation
  ASSERT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 2);
  const struct {
    int command;
    const char16_t* text;
  } keys[] = {{400, u"Library"}, {401, u"Annotations"}};
  for (const auto& key : keys) {
    WCHAR text[32] = {};
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_STATE;
    info.pszText = text;
    info.cchText = 32;
    ASSERT_NE(SendMessageW(bar, TB_GETBUTTONINFOW, key.command, reinterpret_cast<LPARAM>(&info)), -1);
    EXPECT_EQ(std::u16string(text), key.text);
    EXPECT_TRUE(info.fsState & TBSTATE_ENABLED);
  }
  RECT place;
  GetWindowRect(devshellwin::BarFrameOf(bar), &place);
  EXPECT_EQ(place.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(place.bottom - place.top, devsip::MenuBarHeight());
  // Every TB_ message works on the bar.
  EXPECT_TRUE(SendMessageW(bar, TB_ENABLEBUTTON, 400, FALSE));
  EXPECT_FALSE(SendMessageW(bar, TB_ISBUTTONENABLED, 400, 0));
}

TEST_F(ShellWindowsTest, AKeyWithAMenuOpensItAboveTheBarAndSendsTheChoice) {
  HWND bar = MakeBar();
  ASSERT_NE(bar, nullptr);
  HMENU sub = reinterpret_cast<HMENU>(SendMessageW(bar, SHCMBM_GETSUBMENU, 0, 401));
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(GetMenuItemID(sub, 0), 410u);
  EXPECT_EQ(SendMessageW(bar, SHCMBM_GETSUBMENU, 0, 400), 0);  // a plain key
  HMENU opened = nullptr;
  devtest::ScriptNextModal(ModalKind::PopupMenu, [&](const ModalView& view) {
    opened = view.menu;
    view.end(411);
  });
  TapAt(ButtonOnScreen(bar, 1));
  devtest::PumpMessages();
  EXPECT_EQ(opened, sub);
  TapAt(ButtonOnScreen(bar, 0));
  devtest::PumpMessages();
  auto commands = MessagesOf(WM_COMMAND);
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(LOWORD(commands[0].wParam), 411);
  EXPECT_EQ(LOWORD(commands[1].wParam), 400);
  ASSERT_FALSE(devtest::PopupMenuJournal().empty());
  EXPECT_EQ(devtest::PopupMenuJournal()[0].items.size(), 2u);
}

TEST_F(ShellWindowsTest, TheEmptyBarHasNoKeysAndMalformedDefinitionsMakeNoBar) {
  HWND empty = MakeBar(0, SHCMBF_EMPTYBAR);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(SendMessageW(empty, TB_BUTTONCOUNT, 0, 0), 0);
  EXPECT_EQ(MakeBar(999), nullptr);

  std::vector<BYTE> whole = ResourceBytes(RT_RCDATA, 201);
  ASSERT_EQ(whole.size(), 4u + 2 * 14);
  WORD menuId = 0;
  std::vector<devshellwin::SoftKey> keys;
  EXPECT_TRUE(devshellwin::ReadBarDefinition(whole.data(), whole.size(), &menuId, &keys));
  EXPECT_EQ(menuId, 201);
  for (size_t size = 0; size < whole.size(); ++size) {
    std::vector<BYTE> cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(size));
    EXPECT_FALSE(devshellwin::ReadBarDefinition(cut.data(), cut.size(), &menuId, &keys)) << size;
  }
  std::vector<BYTE> longer = whole;
  longer.push_back(0);
  EXPECT_FALSE(devshellwin::ReadBarDefinition(longer.data(), longer.size(), &menuId, &keys));
  std::vector<BYTE> hugeCount = whole;
  hugeCount[2] = 0xFF;
  hugeCount[3] = 0xFF;
  EXPECT_FALSE(devshellwin::ReadBarDefinition(hugeCount.data(), hugeCount.size(), &menuId, &keys));

  // A menu index past the menu's pop-ups makes no bar.
  std::vector<BYTE> badIndex = whole;
  badIndex[4 + 14 + 12] = 7;
  std::vector<ResourceEntry> entries;
  size_t count = 0;
  const ResourceEntry* installed = DialogTestResources(&count);
  for (size_t i = 0; i < count; ++i)
    if (installed[i].type != 10) entries.push_back(installed[i]);
  entries.push_back({10, 201, badIndex.data(), static_cast<DWORD>(badIndex.size())});
  ProgramResources resources;
  resources.resources = entries.data();
  resources.resourceCount = entries.size();
  InstallProgramResources(resources);
  EXPECT_EQ(MakeBar(), nullptr);
  InstallTestResources();
}

TEST_F(ShellWindowsTest, TheInputPanelReportsItsStateAndBroadcastsEachChange) {
  SIPINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(SipGetInfo(&info));
  EXPECT_FALSE(info.fdwFlags & SIPF_ON);
  RECT off = info.rcVisibleDesktop;
  EXPECT_TRUE(SipShowIM(SIPF_ON));
  EXPECT_EQ(SettingChanges(), 1u);
  EXPECT_EQ(MessagesOf(WM_SETTINGCHANGE)[0].wParam, SPI_SETSIPINFO);
  ASSERT_TRUE(SipGetInfo(&info));
  EXPECT_TRUE(info.fdwFlags & SIPF_ON);
  EXPECT_EQ(info.rcVisibleDesktop.bottom, info.rcSipRect.top);
  EXPECT_LT(info.rcVisibleDesktop.bottom, off.bottom);
  EXPECT_EQ(info.rcSipRect.bottom, GetSystemMetrics(SM_CYSCREEN) - devsip::MenuBarHeight());
  EXPECT_TRUE(SipShowIM(SIPF_ON));  // already on: nothing sent
  EXPECT_EQ(SettingChanges(), 1u);
  EXPECT_TRUE(SipShowIM(SIPF_OFF));
  EXPECT_EQ(SettingChanges(), 2u);
  EXPECT_EQ(devtest::InputPanelJournal(), (std::vector<bool>{true, false}));
  SIPINFO wrongSize{};
  wrongSize.cbSize = 8;
  EXPECT_FALSE(SipGetInfo(&wrongSize));
  EXPECT_FALSE(SipShowIM(7));
}

// The screen width a second top-level window reads when it hears of a turn.
int g_widthAtSettingChange = 0;
LRESULT NotingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTINGCHANGE && wParam == SETTINGCHANGE_RESET)
    g_widthAtSettingChange = GetSystemMetrics(SM_CXSCREEN);
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(ShellWindowsTest, AnOrientationChangeIsBroadcastOnceTheScreenHasTurned) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = NotingWindowProc;
  wc.lpszClassName = u"NotingWindow";
  RegisterClassW(&wc);
  HWND other = CreateWindowExW(0, u"NotingWindow", u"Other", WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                               nullptr);
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(owner);
  ownerMessages.clear();
  int& widthSeen = g_widthAtSettingChange;
  widthSeen = 0;
  auto turn = [](DWORD orientation, DWORD flags = 0) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_DISPLAYORIENTATION;
    mode.dmDisplayOrientation = orientation;
    return devshell::ChangeDisplaySettingsEx(nullptr, &mode, nullptr, flags, nullptr);
  };
  EXPECT_EQ(turn(DMDO_90), DISP_CHANGE_SUCCESSFUL);
  ASSERT_EQ(SettingChanges(), 1u);
  EXPECT_EQ(MessagesOf(WM_SETTINGCHANGE)[0].wParam, SETTINGCHANGE_RESET);
  EXPECT_EQ(widthSeen, 320);  // sent after the screen turned
  // The orientation in force again, a query, a refused change: nothing sent.
  EXPECT_EQ(turn(DMDO_90), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(turn(DMDO_0, CDS_TEST), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(turn(3), DISP_CHANGE_BADMODE);
  devtest::FailDisplayChanges(DISP_CHANGE_FAILED);
  EXPECT_EQ(turn(DMDO_180), DISP_CHANGE_FAILED);
  devtest::FailDisplayChanges(0);
  EXPECT_EQ(SettingChanges(), 1u);
  widthSeen = 0;
  EXPECT_EQ(turn(DMDO_0), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(SettingChanges(), 2u);
  EXPECT_EQ(widthSeen, 240);
  DestroyWindow(other);
}

TEST_F(ShellWindowsTest, TapsOnThePanelsKeysTypeIntoTheFocusedEdit) {
  HWND edit = CreateWindowExW(0, WC_EDITW, u"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 40, 200, 24, owner, nullptr,
                              nullptr, nullptr);
  ASSERT_NE(edit, nullptr);
  SetFocus(edit);
  ASSERT_TRUE(SipShowIM(SIPF_ON));
  devtest::PumpMessages();
  RECT panel = devsip::PanelRect();
  int width = panel.right - panel.left;
  int rowHeight = (panel.bottom - panel.top) / 5;
  auto tapKey = [&](int row, double column) {
    devtest::Tap(panel.left + static_cast<int>(width * column / 12), panel.top + row * rowHeight + rowHeight / 2);
  };
  tapKey(3, 1.0);   // Shift
  tapKey(2, 5.5);   // h
  tapKey(1, 7.5);   // i
  tapKey(4, 6.0);   // Space
  tapKey(0, 0.5);   // 1
  tapKey(1, 10.5);  // Backspace
  devtest::PumpMessages();
  WCHAR text[16] = {};
  GetWindowTextW(edit, text, 16);
  EXPECT_EQ(std::u16string(text), u"Hi ");
  EXPECT_EQ(GetFocus(), edit);
}

TEST_F(ShellWindowsTest, TheBarsButtonTogglesThePanel) {
  HWND bar = MakeBar();
  ASSERT_NE(bar, nullptr);
  RECT frame;
  GetWindowRect(devshellwin::BarFrameOf(bar), &frame);
  devtest::Tap(frame.right - devsip::MenuBarHeight() / 2, (frame.top + frame.bottom) / 2);
  devtest::PumpMessages();
  EXPECT_TRUE(devsip::PanelShown());
  devtest::Tap(frame.right - devsip::MenuBarHeight() / 2, (frame.top + frame.bottom) / 2);
  devtest::PumpMessages();
  EXPECT_FALSE(devsip::PanelShown());
  EXPECT_EQ(SettingChanges(), 2u);
}

TEST_F(ShellWindowsTest, AFullScreenDialogWithDoneGetsIdokWithLParamZeroFromTheTaskBar) {
  SHINITDLGINFO init{};
  init.dwMask = SHIDIM_FLAGS;
  init.hDlg = owner;
  init.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN;
  ASSERT_TRUE(devshell::SHInitDialog(&init));
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT place;
  GetWindowRect(owner, &place);
  EXPECT_EQ(place.top, work.top);
  EXPECT_EQ(place.bottom, work.bottom - devsip::MenuBarHeight());
  EXPECT_TRUE(devshellwin::HasDoneButton(owner));
  HWND taskBar = devshellwin::TaskBar();
  ASSERT_NE(taskBar, nullptr);
  RECT bar;
  GetWindowRect(taskBar, &bar);
  devtest::Tap(bar.right - 8, (bar.top + bar.bottom) / 2);
  devtest::PumpMessages();
  auto commands = MessagesOf(WM_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(LOWORD(commands[0].wParam), IDOK);
  EXPECT_EQ(commands[0].lParam, 0);
  EXPECT_TRUE(devshell::SHDoneButton(owner, SHDB_HIDE));
  EXPECT_FALSE(devshellwin::HasDoneButton(owner));
  EXPECT_TRUE(devshell::SHFullScreen(owner, SHFS_HIDETASKBAR));
  EXPECT_FALSE(IsWindowVisible(taskBar));
  EXPECT_TRUE(devshell::SHFullScreen(owner, SHFS_SHOWTASKBAR));
  EXPECT_TRUE(IsWindowVisible(taskBar));
}

}  // namespace
