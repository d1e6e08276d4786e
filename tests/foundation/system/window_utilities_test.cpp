// Window and shell utilities: fonts in points, icons and image lists of the
// screen's size, the version queries, dates, window text, and the failure
// paths of the wrappers whose platform calls (dialog items, menu items,
// shell execution, the open-file dialog) still answer failure.
#include <gtest/gtest.h>

#include "foundation/system/window_utilities.h"
#include "platform/testing/gdi.h"
#include "platform/testing/profile.h"
#include "platform/testing/reset.h"
#include "platform/testing/shell.h"
#include "platform/testing/ui.h"
#include "platform/testing/windows.h"
#include "platform/windows/windows.h"

namespace {

void SetDpi(int dpi) {
  devtest::DeviceProfile profile = devtest::Profile();
  profile.dpi = dpi;
  devtest::SetProfile(profile);
}

void SetVersion(DWORD major, DWORD minor) {
  devtest::DeviceProfile profile = devtest::Profile();
  profile.osMajorVersion = major;
  profile.osMinorVersion = minor;
  devtest::SetProfile(profile);
}

LONG HeightOf(HFONT font) {
  LOGFONTW description{};
  EXPECT_EQ(GetObjectW(font, sizeof(description), &description), static_cast<int>(sizeof(description)));
  return description.lfHeight;
}

TEST(WindowUtilities, UiFontsInPointsFollowTheScreen) {
  struct Case {
    int dpi;
    int32_t size;
    LONG height;
  };
  for (const Case& c : {Case{96, 0, 13}, Case{192, 0, -21}, Case{96, 9, -12}, Case{192, 9, -24}}) {
    SetDpi(c.dpi);
    HFONT font = CreateUiFont(nullptr, c.size, nullptr, true, false, true);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(HeightOf(font), c.height) << c.dpi << " " << c.size;
    DeleteObject(font);
  }
  HFONT face = CreateFontFromFace(u"Courier New", 11, false, true, false);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(HeightOf(face), -11);
  DeleteObject(face);
}

TEST(WindowUtilities, IconsAndImageListsFollowTheScreen) {
  for (int dpi : {96, 129, 130, 192}) {
    SetDpi(dpi);
    int32_t expected = dpi > 129 ? 32 : 16;
    EXPECT_EQ(IsHighDpi(nullptr), dpi > 129);
    int32_t size = 0;
    HICON icon = LoadIconScaled(nullptr, 126, &size);
    EXPECT_EQ(size, expected);
    ASSERT_NE(icon, nullptr);
    DestroyIcon(icon);
    HIMAGELIST list = CreateIconImageList(nullptr, 2, &size);
    ASSERT_NE(list, nullptr);
    int width = 0, height = 0;
    ImageList_GetIconSize(list, &width, &height);
    EXPECT_EQ(width, expected) << dpi;
    EXPECT_TRUE(AddIconToImageList(list, 126, size));
    EXPECT_FALSE(AddIconToImageList(list, 9999, size));
    EXPECT_EQ(ImageList_GetImageCount(list), 1);
    ImageList_Destroy(list);
  }
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Icon), 0);
}

TEST(WindowUtilities, VersionQueries) {
  struct Case {
    DWORD major, minor;
    bool above50;
  };
  for (const Case& c : {Case{5, 1, true}, Case{5, 0, false}, Case{4, 21, false}, Case{6, 0, true}}) {
    SetVersion(c.major, c.minor);
    uint32_t major = 0, minor = 0;
    ASSERT_TRUE(GetOsVersion(&major, &minor));
    EXPECT_EQ(major, c.major);
    EXPECT_EQ(minor, c.minor);
    EXPECT_EQ(IsOsVersionAbove50(), c.above50) << c.major << "." << c.minor;
  }
}

TEST(WindowUtilities, UnixDatesInTheUsersShortForm) {
  EncodedString text;
  ASSERT_TRUE(FormatUnixDate(0, &text));
  EXPECT_TRUE(text.EqualsWide(u"1/1/1970"));
  ASSERT_TRUE(FormatUnixDate(86400 * 365, &text));
  EXPECT_TRUE(text.EqualsWide(u"1/1/1971"));
}

TEST(WindowUtilities, WindowTextGoesThroughUtf16) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"UtilityTestWindow";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, u"UtilityTestWindow", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                nullptr);
  ASSERT_NE(window, nullptr);
  EncodedString title;
  ASSERT_TRUE(title.AssignNarrow("Caf\xe9", 1252));
  EXPECT_TRUE(SetWindowEncodedText(window, title));
  WCHAR back[16] = {};
  GetWindowTextW(window, back, 16);
  EXPECT_EQ(std::u16string(back), u"Caf\u00e9");
  DestroyWindow(window);
}

TEST(WindowUtilities, DialogItemTextsGoThroughTheItems) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"UtilityTestDialog";
  RegisterClassW(&wc);
  HWND dialog = CreateWindowExW(0, u"UtilityTestDialog", u"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                                nullptr);
  ASSERT_NE(dialog, nullptr);
  HWND item = CreateWindowExW(0, u"UtilityTestDialog", u"", WS_CHILD, 0, 0, 50, 20, dialog,
                              reinterpret_cast<HMENU>(static_cast<intptr_t>(10)), nullptr, nullptr);
  ASSERT_NE(item, nullptr);
  EncodedString value;
  ASSERT_TRUE(value.AssignNarrow("Caf\xe9", 1252));
  EXPECT_TRUE(SetDlgItemEncodedText(dialog, 10, value));
  WCHAR back[16] = {};
  GetWindowTextW(item, back, 16);
  EXPECT_EQ(std::u16string(back), u"Caf\u00e9");
  EncodedString read;
  GetDlgItemEncodedText(dialog, 10, &read);
  EXPECT_TRUE(read.EqualsWide(u"Caf\u00e9"));

  // A missing item: nothing set, the text emptied.
  EXPECT_FALSE(SetDlgItemEncodedText(dialog, 11, value));
  GetDlgItemEncodedText(dialog, 11, &read);
  EXPECT_TRUE(read.IsEmpty());
  EXPECT_FALSE(SetDlgItemEncodedText(nullptr, 10, value));
  EXPECT_FALSE(SetDlgItemResourceText(nullptr, 10, 5002));
  DestroyWindow(dialog);
}

TEST(WindowUtilities, MenuItemTextsGoThroughTheMenu) {
  HMENU menu = CreatePopupMenu();
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(AppendMenuW(menu, MF_STRING, 100, u"old"));
  EncodedString value;
  ASSERT_TRUE(value.AssignNarrow("Caf\xe9", 1252));
  EXPECT_TRUE(SetMenuItemText(menu, 100, value));
  WCHAR back[16] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_TYPE;
  info.dwTypeData = back;
  info.cch = 16;
  ASSERT_TRUE(GetMenuItemInfoW(menu, 100, FALSE, &info));
  EXPECT_EQ(std::u16string(back), u"Caf\u00e9");

  // Made-up handles, null menus and missing items fail without harm.
  const MenuTextEntry table[] = {{100, 5002, 0}, {1, 5003, 0x0101}};
  EXPECT_FALSE(SetMenuItemTexts(reinterpret_cast<HMENU>(16), table, 2));
  EXPECT_FALSE(SetMenuItemTexts(nullptr, table, 2));
  EXPECT_FALSE(SetMenuItemText(reinterpret_cast<HMENU>(16), 100, value));
  EXPECT_FALSE(SetMenuItemText(menu, 999, value));
  DestroyMenu(menu);
}

TEST(WindowUtilities, WrappersOfCallsStillToComeTakeTheirFailurePaths) {
  EncodedString value;
  value.AssignNarrow("value");
  EXPECT_FALSE(ShellOpen(value, nullptr));
}

TEST(WindowUtilities, TheOpenFileDialogAnswersThePathAndItsFolder) {
  devtest::ResetDevice();
  SegmentedStringArray chosen;
  EncodedString folder;
  folder.AssignNarrow("\\My Documents");
  // Cancelled: nothing chosen, the folder kept.
  EXPECT_FALSE(ShowOpenFileDialogSingle(nullptr, u"Books\0*.prc\0", &chosen, 1, &folder));
  EXPECT_EQ(chosen.Count(), 0u);
  EXPECT_TRUE(folder.EqualsWide(u"\\My Documents"));

  devtest::ChooseNextFile(u"\\Storage Card\\Books\\tale.prc", 1);
  EXPECT_TRUE(ShowOpenFileDialogSingle(nullptr, u"Books\0*.prc\0", &chosen, 1, &folder));
  ASSERT_EQ(chosen.Count(), 1u);
  EXPECT_TRUE(chosen.At(0)->EqualsWide(u"\\Storage Card\\Books\\tale.prc"));
  EXPECT_TRUE(folder.EqualsWide(u"\\Storage Card\\Books"));
  ASSERT_EQ(devtest::OpenFileJournal().size(), 2u);
  EXPECT_EQ(devtest::OpenFileJournal()[1].filter, u"Books|*.prc");
  EXPECT_TRUE(devtest::OpenFileJournal()[1].answer);
  devtest::ResetDevice();
}

TEST(WindowUtilities, MenuBarsAndFullScreenDialogsAskTheShell) {
  HWND window = reinterpret_cast<HWND>(uintptr_t{64});
  devtest::ClearShellCalls();
  EXPECT_EQ(CreateMenuBarFor(window, 0), nullptr);  // no bar made by the shell here
  CreateMenuBarFor(window, 300);
  InitDialogFullScreen(window);
  auto bars = devtest::ShellCallsTo("SHCreateMenuBar");
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].args, (std::vector<int64_t>{1, 0}));  // an empty bar
  EXPECT_EQ(bars[1].args, (std::vector<int64_t>{0, 300}));
  auto dialogs = devtest::ShellCallsTo("SHInitDialog");
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].args, (std::vector<int64_t>{1, 5}));  // done button, full screen
}

}  // namespace
