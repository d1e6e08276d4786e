// The modal windows against their golden pictures, pixel for pixel, at
// 240x320 (96 dpi) and 480x640 (192 dpi) with the built-in font: the test
// dialog with every control, a property sheet with its tabs at the bottom,
// a cascading pop-up menu with checked, greyed and separator items, a
// message box, the menu bar with two soft keys and a soft key's menu open,
// the input panel, and the open-file dialog. The same screens drawn with
// FreeType are written into the current folder for a person to look at.
//
// After a deliberate change of their look, rewrite the goldens with
//   TESSALYN_UPDATE_GOLDENS=1 build/bin/test_platform --gtest_filter='DialogGallery*'
// and look at the new pictures before committing them.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/controls/button.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/list_view.h"
#include "platform/controls/tab_control.h"
#include "platform/controls/toolbar.h"
#include "platform/system/system_parameters.h"
#include "platform/dialogs/message_box.h"
#include "platform/dialogs/open_file_dialog.h"
#include "platform/dialogs/property_sheet.h"
#include "platform/files/files.h"
#include "platform/input/virtual_keys.h"
#include "platform/input_panel/input_panel.h"
#include "platform/menus/menus.h"
#include "platform/shell/shell_calls.h"
#include "platform/shell_windows/task_bar.h"
#include "platform/testing/files.h"
#include "platform/testing/fonts.h"
#include "platform/threads/threads.h"
#include "tests/platform/dialogs/dialog_fixture.h"
#include "tests/support/screen_golden.h"

namespace {

using devtest::ModalKind;
using devtest::ModalView;
using dialogtest::DialogTest;

struct Screen {
  int width, height, dpi;
  const char* suffix;
};
const Screen kScreens[] = {{240, 320, 96, "240x320"}, {480, 640, 192, "480x640"}};

std::filesystem::path GoldenPath(const std::string& name) {
  return std::filesystem::path(TESSALYN_SOURCE_DIR) / "tests" / "platform" / "dialogs" / "golden" / name;
}

BOOL QuietProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

int BottomTabs(HWND sheet, UINT stage, LPARAM) {
  if (stage == PSCB_INITIALIZED) {
    HWND tab = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    SetWindowLongW(tab, GWL_STYLE, GetWindowLongW(tab, GWL_STYLE) | static_cast<LONG>(TCS_BOTTOM | TCS_FOCUSNEVER));
  }
  return stage == PSCB_GETVERSION ? 0x20C : 1;
}

// Entries for the gallery's lists, so that they show something.
void FillGallery(HWND dialog) {
  HWND combo = GetDlgItem(dialog, 1004);
  for (const char16_t* text : {u"Ask", u"Highlight", u"Lookup"})
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  HWND list = GetDlgItem(dialog, 1005);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 120;
  column.pszText = const_cast<LPWSTR>(u"Title");
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  const char16_t* rows[] = {u"Alice in Wonderland", u"Walden"};
  for (int i = 0; i < 2; ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<LPWSTR>(rows[i]);
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  HWND tab = GetDlgItem(dialog, 1009);
  const char16_t* tabs[] = {u"One", u"Two"};
  for (int i = 0; i < 2; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(tabs[i]);
    SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  CheckDlgButton(dialog, 1002, BST_CHECKED);
}

class DialogGallery : public DialogTest {
 protected:
  void UseScreen(const Screen& screen, bool freeType) {
    devtest::ResetDevice();
    devtest::DeviceProfile profile;
    profile.screenWidth = screen.width;
    profile.screenHeight = screen.height;
    profile.dpi = screen.dpi;
    profile.bitsPerPixel = 16;
    devtest::SetProfile(profile);
    if (freeType) devtest::UseFontEngine(fonts::EngineKind::FreeType);
    InitCommonControls();
    InstallTestResources();
    RegisterOwnerClass();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    main = owner = CreateWindowExW(0, u"DialogOwner", u"&Reader", WS_VISIBLE, 0, work.top, screen.width,
                           work.bottom - work.top, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(main);
    devtest::PumpMessages();
  }
  // Compares the screen with a golden picture (or rewrites it); with
  // FreeType, writes it for a look.
  void Shot(const std::string& name) {
    if (devshellwin::TaskBar() != nullptr) devshellwin::RefreshTaskBar();  // as its watch would
    devtest::PumpMessages();
    if (freeType_) {
      std::filesystem::path out = std::filesystem::current_path() / ("dialogs_freetype_" + name);
      ASSERT_TRUE(devtest::WriteScreenPng(out.string()));
      std::printf("FreeType screen: %s\n", out.c_str());
      return;
    }
    testpng::ExpectScreenMatchesGolden(GoldenPath(name), name);
  }

  void DrawEveryScreen(const Screen& screen) {
    std::string suffix = std::string("_") + screen.suffix + ".png";
    // The test dialog with every control.
    devtest::ScriptNextModal(ModalKind::Dialog, [&](const ModalView& view) {
      FillGallery(view.window);
      Shot("dialog" + suffix);
    });
    DialogBoxParamW(nullptr, MAKEINTRESOURCEW(100), main, QuietProc, 0);

    // A three-page sheet with its tabs at the bottom.
    PROPSHEETPAGEW pages[3] = {};
    const char16_t* titles[3] = {u"General", u"Display", u"Sound"};
    for (int i = 0; i < 3; ++i) {
      pages[i].dwSize = sizeof(PROPSHEETPAGEW);
      pages[i].dwFlags = PSP_USETITLE;
      pages[i].pszTemplate = MAKEINTRESOURCEW(110);
      pages[i].pszTitle = titles[i];
      pages[i].pfnDlgProc = QuietProc;
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK | PSH_MAXIMIZE;
    header.hwndParent = main;
    header.pszCaption = u"Options";
    header.nPages = 3;
    header.ppsp = pages;
    header.pfnCallback = BottomTabs;
    devtest::ScriptNextModal(ModalKind::PropertySheet, [&](const ModalView&) { Shot("sheet" + suffix); });
    PropertySheetW(&header);

    // A cascading pop-up menu: its fifth item's sub-menu open.
    HMENU holder = CreatePopupMenu();
    HMENU items = LoadMenuW(nullptr, MAKEINTRESOURCEW(200));
    AppendMenuW(holder, MF_POPUP, reinterpret_cast<UINT_PTR>(items), u"All");
    devtest::ScriptNextModal(ModalKind::PopupMenu, [&](const ModalView& view) {
      for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN})
        PostMessageW(view.window, WM_KEYDOWN, key, 1);
      PostMessageW(owner, WM_APP, 0, 0);
    });
    onApp = [&] { Shot("popup_menu" + suffix); };
    TrackPopupMenuEx(GetSubMenu(holder, 0), TPM_RETURNCMD, 4, screen.height / 4, owner, nullptr);
    onApp = nullptr;
    DestroyMenu(holder);

    // A message box.
    devtest::ScriptNextModal(ModalKind::MessageBox, [&](const ModalView&) { Shot("message_box" + suffix); });
    MessageBoxW(main, u"The book could not be opened: its file is damaged. Delete it from the library?",
                u"Library", MB_YESNOCANCEL | MB_ICONQUESTION);

    // The menu bar with its soft keys and the right key's menu open, the
    // task bar over the main window with its Done button.
    SHINITDLGINFO init{SHIDIM_FLAGS, main, SHIDIF_DONEBUTTON};
    devshell::SHInitDialog(&init);
    SHMENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    bar.hwndParent = main;
    bar.nToolBarId = 201;
    ASSERT_TRUE(devshell::SHCreateMenuBar(&bar));
    Shot("menu_bar" + suffix);
    RECT key{};
    SendMessageW(bar.hwndMB, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&key));
    POINT at{(key.left + key.right) / 2, (key.top + key.bottom) / 2};
    ClientToScreen(bar.hwndMB, &at);
    devtest::ScriptNextModal(ModalKind::PopupMenu, [&](const ModalView& view) {
      Shot("menu_bar_open" + suffix);
      view.end(0);
    });
    devtest::Tap(at.x, at.y);

    // The input panel over the bar.
    SipShowIM(SIPF_ON);
    Shot("input_panel" + suffix);
    SipShowIM(SIPF_OFF);

    // The open-file dialog.
    devtest::UseFreshDeviceRoot();
    CreateDirectoryW(u"\\My Documents", nullptr);
    for (const char16_t* path : {u"\\My Documents\\Alice.pdb", u"\\My Documents\\Walden.prc",
                                 u"\\Storage Card\\Emma.pdb"}) {
      HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      CloseHandle(file);
    }
    WCHAR chosen[64] = {};
    OPENFILENAMEW info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = main;
    info.lpstrFilter = u"Books\0*.PRC;*.PDB\0Text\0*.txt\0";
    info.nFilterIndex = 1;
    info.lpstrFile = chosen;
    info.nMaxFile = 64;
    info.lpstrInitialDir = u"\\";
    devtest::ScriptNextModal(ModalKind::OpenFile, [&](const ModalView&) { Shot("open_file" + suffix); });
    GetOpenFileNameW(&info);
    DestroyWindow(main);  // and with it the bar it owns
  }

  HWND main = nullptr;
  bool freeType_ = false;
};

TEST_F(DialogGallery, MatchesTheGoldensAtBothSizes) {
  for (const Screen& screen : kScreens) {
    SCOPED_TRACE(screen.suffix);
    UseScreen(screen, false);
    DrawEveryScreen(screen);
  }
}

TEST_F(DialogGallery, TheFreeTypeScreensAreWrittenForALook) {
  freeType_ = true;
  for (const Screen& screen : kScreens) {
    UseScreen(screen, true);
    DrawEveryScreen(screen);
  }
}

}  // namespace
