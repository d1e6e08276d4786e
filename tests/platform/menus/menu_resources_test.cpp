// Menus and accelerator tables from resources.
#include <string>

#include "platform/input/virtual_keys.h"
#include "platform/menus/accelerators.h"
#include "platform/menus/menus.h"
#include "tests/platform/dialogs/dialog_fixture.h"

namespace {

using dialogtest::DialogTest;

std::u16string TextOf(HMENU menu, UINT position) {
  WCHAR text[64] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_TYPE;
  info.dwTypeData = text;
  info.cch = 64;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  return text;
}

TEST_F(DialogTest, LoadMenuBuildsItemsSeparatorsAndPopUps) {
  HMENU menu = LoadMenuW(nullptr, MAKEINTRESOURCEW(200));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 6);
  EXPECT_EQ(GetMenuItemID(menu, 0), 300u);
  EXPECT_EQ(TextOf(menu, 0), u"Open");
  EXPECT_EQ(CheckMenuItem(menu, 301, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
  EXPECT_EQ(EnableMenuItem(menu, 302, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_TYPE;
  ASSERT_TRUE(GetMenuItemInfoW(menu, 3, TRUE, &info));
  EXPECT_TRUE(info.fType & MFT_SEPARATOR);
  HMENU more = GetSubMenu(menu, 4);
  ASSERT_NE(more, nullptr);
  EXPECT_EQ(TextOf(menu, 4), u"More");
  EXPECT_EQ(GetMenuItemCount(more), 2);
  EXPECT_EQ(GetMenuItemID(more, 1), 311u);
  EXPECT_EQ(GetMenuItemID(menu, 5), 303u);
  EXPECT_TRUE(DestroyMenu(menu));
  EXPECT_FALSE(IsMenu(more));
  EXPECT_EQ(LoadMenuW(nullptr, MAKEINTRESOURCEW(999)), nullptr);
}

TEST_F(DialogTest, AcceleratorsTranslateTheirKeysOnly) {
  HACCEL table = LoadAcceleratorsW(nullptr, MAKEINTRESOURCEW(220));
  ASSERT_NE(table, nullptr);
  MSG controlF{owner, WM_KEYDOWN, 'F', 0, 0, {}};
  EXPECT_EQ(TranslateAcceleratorW(owner, table, &controlF), 0);  // Control is up
  devinput::KeyDown(VK_CONTROL);
  devtest::PumpMessages();
  EXPECT_EQ(TranslateAcceleratorW(owner, table, &controlF), 1);
  devinput::KeyUp(VK_CONTROL);
  devtest::PumpMessages();
  MSG character{owner, WM_CHAR, 'a', 0, 0, {}};
  EXPECT_EQ(TranslateAcceleratorW(owner, table, &character), 1);
  MSG other{owner, WM_CHAR, 'b', 0, 0, {}};
  EXPECT_EQ(TranslateAcceleratorW(owner, table, &other), 0);
  auto commands = MessagesOf(WM_COMMAND);
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0].wParam, MAKELONG(500, 1));
  EXPECT_EQ(commands[1].wParam, MAKELONG(501, 1));
  EXPECT_EQ(TranslateAcceleratorW(owner, nullptr, &character), 0);
  EXPECT_TRUE(DestroyAcceleratorTable(table));
  // A table the resources do not hold (the program asks for 211) is null.
  EXPECT_EQ(LoadAcceleratorsW(nullptr, MAKEINTRESOURCEW(211)), nullptr);
}

}  // namespace
