// Menus: building, item information, check and enable states, bad handles,
// and pop-up menus answered by scripts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/menus/menus.h"
#include "platform/testing/reset.h"
#include "platform/testing/ui.h"
#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/windows.h"

namespace {

using devtest::ModalKind;
using devtest::ModalView;

std::vector<MSG> gSeen;

LRESULT OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITMENUPOPUP || message == WM_COMMAND) gSeen.push_back({window, message, wParam, lParam, 0, {}});
  return DefWindowProcW(window, message, wParam, lParam);
}

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetDevice();
    gSeen.clear();
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.lpszClassName = u"MenuOwner";
    ASSERT_NE(RegisterClassW(&wc), 0);
    owner = CreateWindowExW(0, u"MenuOwner", u"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    menu = CreatePopupMenu();
    sub = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuW(sub, MF_STRING, 201, u"Deep"));
    ASSERT_TRUE(AppendMenuW(menu, MF_STRING, 101, u"Open"));
    ASSERT_TRUE(AppendMenuW(menu, MF_STRING | MF_CHECKED, 102, u"Bold"));
    ASSERT_TRUE(AppendMenuW(menu, MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(AppendMenuW(menu, MF_STRING | MF_GRAYED, 103, u"Grey"));
    ASSERT_TRUE(AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"More"));
    devtest::PumpMessages();
  }
  void TearDown() override {
    if (IsMenu(menu)) DestroyMenu(menu);
    if (IsWindow(owner)) DestroyWindow(owner);
    devtest::ResetDevice();
  }
  HWND owner = nullptr;
  HMENU menu = nullptr;
  HMENU sub = nullptr;
};

TEST_F(MenuTest, ItemsKeepTheirIdsTextsAndStates) {
  EXPECT_EQ(GetMenuItemCount(menu), 5);
  EXPECT_EQ(GetMenuItemID(menu, 0), 101u);
  EXPECT_EQ(GetMenuItemID(menu, 4), 0xFFFFFFFFu);
  EXPECT_EQ(GetSubMenu(menu, 4), sub);
  EXPECT_EQ(CheckMenuItem(menu, 102, MF_UNCHECKED), MF_CHECKED);
  EXPECT_EQ(CheckMenuItem(menu, 102, MF_CHECKED), MF_UNCHECKED);
  EXPECT_EQ(EnableMenuItem(menu, 103, MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(CheckMenuItem(menu, 999, MF_CHECKED), 0xFFFFFFFFu);

  WCHAR text[4];
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_TYPE | MIIM_ID;
  info.dwTypeData = text;
  info.cch = 4;
  ASSERT_TRUE(GetMenuItemInfoW(menu, 201, FALSE, &info));  // found in the sub-menu
  EXPECT_EQ(info.wID, 201u);
  EXPECT_EQ(std::u16string(text), u"Dee");  // cut to the buffer

  info.fMask = MIIM_TYPE;
  info.fType = MFT_STRING;
  info.dwTypeData = const_cast<LPWSTR>(u"Shut");
  ASSERT_TRUE(SetMenuItemInfoW(menu, 0, TRUE, &info));
  WCHAR back[16];
  info.dwTypeData = back;
  info.cch = 16;
  ASSERT_TRUE(GetMenuItemInfoW(menu, 101, FALSE, &info));
  EXPECT_EQ(std::u16string(back), u"Shut");

  ASSERT_TRUE(InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, 100, u"First"));
  EXPECT_EQ(GetMenuItemID(menu, 0), 100u);
  ASSERT_TRUE(DeleteMenu(menu, 100, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuItemCount(menu), 5);
}

TEST_F(MenuTest, MadeUpAndDestroyedHandlesAreRefused) {
  HMENU madeUp = reinterpret_cast<HMENU>(16);
  EXPECT_EQ(GetMenuItemCount(madeUp), -1);
  EXPECT_FALSE(AppendMenuW(madeUp, MF_STRING, 1, u"x"));
  EXPECT_FALSE(AppendMenuW(menu, MF_POPUP, 16, u"x"));
  ASSERT_TRUE(DestroyMenu(menu));
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_FALSE(IsMenu(sub));  // destroyed with its parent
  EXPECT_FALSE(DestroyMenu(menu));
}

TEST_F(MenuTest, APopupMenuTellsItsOwnerFirstAndAnswersTheScriptedChoice) {
  devtest::AnswerNextModal(ModalKind::PopupMenu, 201);
  EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 10, 10, owner, nullptr), 201);
  ASSERT_EQ(gSeen.size(), 1u);
  EXPECT_EQ(gSeen[0].message, WM_INITMENUPOPUP);
  EXPECT_EQ(gSeen[0].wParam, reinterpret_cast<WPARAM>(menu));

  // Grey items, separators and unscripted menus choose nothing.
  devtest::AnswerNextModal(ModalKind::PopupMenu, 103);
  EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 10, 10, owner, nullptr), 0);
  EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 10, 10, owner, nullptr), 0);

  const auto& journal = devtest::PopupMenuJournal();
  ASSERT_EQ(journal.size(), 3u);
  EXPECT_TRUE(journal[0].scripted);
  EXPECT_EQ(journal[0].answer, 201u);
  EXPECT_FALSE(journal[2].scripted);
  ASSERT_EQ(journal[0].items.size(), 5u);
  EXPECT_TRUE(journal[0].items[1].checked);
  EXPECT_TRUE(journal[0].items[2].separator);
  EXPECT_TRUE(journal[0].items[3].grayed);
  EXPECT_EQ(journal[0].items[4].text, u"More");
}

TEST_F(MenuTest, WithoutReturnCmdTheChoiceIsPostedToTheOwner) {
  devtest::AnswerNextModal(ModalKind::PopupMenu, 101);
  EXPECT_TRUE(TrackPopupMenu(menu, 0, 10, 10, 0, owner, nullptr));
  gSeen.clear();
  devtest::PumpMessages();
  ASSERT_EQ(gSeen.size(), 1u);
  EXPECT_EQ(gSeen[0].message, WM_COMMAND);
  EXPECT_EQ(gSeen[0].wParam, 101u);
  EXPECT_EQ(gSeen[0].lParam, 0);
}

}  // namespace
