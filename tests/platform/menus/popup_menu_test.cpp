// Drawn pop-up menus: chosen by taps and by keys through cascading
// sub-menus, cancelled by a tap outside and by Escape, placed on the
// screen by their alignment, timers alive while they are open, and nothing
// left behind.
#include <vector>

#include "platform/input/virtual_keys.h"
#include "platform/menus/menus.h"
#include "platform/windows/timers.h"
#include "tests/platform/dialogs/dialog_fixture.h"

namespace {

using devtest::ModalKind;
using devtest::ModalView;
using dialogtest::DialogTest;

class PopupMenuTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    bar = LoadMenuW(nullptr, MAKEINTRESOURCEW(200));
    ASSERT_NE(bar, nullptr);
    // TrackPopupMenu shows a pop-up: the bar's items moved under one.
    menu = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(bar), u"All"));
    popup = GetSubMenu(menu, 0);
  }
  void TearDown() override {
    DestroyMenu(menu);
    DialogTest::TearDown();
  }
  UINT Track(UINT flags = TPM_RETURNCMD, int x = 20, int y = 40) {
    return static_cast<UINT>(TrackPopupMenuEx(popup, flags, x, y, owner, nullptr));
  }
  HMENU bar = nullptr;
  HMENU menu = nullptr;
  HMENU popup = nullptr;
};

TEST_F(PopupMenuTest, ATapChoosesTheItemUnderIt) {
  RECT place{};
  devtest::ScriptNextModal(ModalKind::PopupMenu, [&](const ModalView& view) {
    GetWindowRect(view.window, &place);
    QueueTap(place.left + 10, place.top + 1 + 18 + 9);  // the second item
  });
  EXPECT_EQ(Track(), 301u);
  EXPECT_EQ(place.left, 20);
  EXPECT_EQ(place.top, 40);
  auto inits = MessagesOf(WM_INITMENUPOPUP);
  ASSERT_EQ(inits.size(), 1u);
  EXPECT_EQ(inits[0].wParam, reinterpret_cast<WPARAM>(popup));
}

TEST_F(PopupMenuTest, KeysWalkIntoASubMenuAndChoose) {
  devtest::ScriptNextModal(ModalKind::PopupMenu, [&](const ModalView&) {
    // Open, Checked, Greyed, (the separator is skipped) More, into it,
    // its second item, Enter.
    for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}) QueueKey(key);
  });
  EXPECT_EQ(Track(), 311u);
  auto inits = MessagesOf(WM_INITMENUPOPUP);
  ASSERT_EQ(inits.size(), 2u);
  EXPECT_EQ(inits[1].wParam, reinterpret_cast<WPARAM>(GetSubMenu(popup, 4)));
  EXPECT_EQ(inits[1].lParam, 4);
}

TEST_F(PopupMenuTest, EscapeClosesTheDeepestLevelAndGreyItemsChooseNothing) {
  struct Case {
    std::vector<UINT> keys;
    UINT answer;
  };
  const Case cases[] = {
      {{VK_UP, VK_UP, VK_RIGHT, VK_ESCAPE, VK_UP, VK_RETURN}, 0u},  // Greyed: Enter does nothing
      {{VK_UP, VK_UP, VK_RIGHT, VK_LEFT, VK_UP, VK_UP, VK_RETURN}, 301u},
      {{VK_DOWN, VK_ESCAPE}, 0u},
  };
  for (const Case& c : cases) {
    devtest::ScriptNextModal(ModalKind::PopupMenu, [&](const ModalView&) {
      for (UINT key : c.keys) QueueKey(key);
    });
    EXPECT_EQ(Track(), c.answer);
  }
}

TEST_F(PopupMenuTest, ATapOutsideCancelsAndTheChoiceIsPostedWithoutReturnCmd) {
  devtest::ScriptNextModal(ModalKind::PopupMenu, [&](const ModalView&) { QueueTap(230, 310); });
  EXPECT_EQ(Track(), 0u);
  devtest::ScriptNextModal(ModalKind::PopupMenu, [&](const ModalView&) {
    QueueKey(VK_DOWN);
    QueueKey(VK_RETURN);
  });
  EXPECT_EQ(Track(0), 1u);
  devtest::PumpMessages();
  auto commands = MessagesOf(WM_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].wParam, 300u);
}

TEST_F(PopupMenuTest, AMenuChangedByItsOwnerWhileOpenChoosesNothing) {
  // The owner empties the sub-menu's parent when the sub-menu opens.
  HMENU changed = popup;
  devtest::ScriptNextModal(ModalKind::PopupMenu, [&](const ModalView& view) {
    for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}) PostMessageW(view.window, WM_KEYDOWN, key, 1);
    PostMessageW(owner, WM_APP, 0, 0);
    PostMessageW(view.window, WM_KEYDOWN, VK_RETURN, 1);
  });
  onApp = [&] {
    while (GetMenuItemCount(changed) > 1) DeleteMenu(changed, 0, MF_BYPOSITION);
  };
  EXPECT_EQ(Track(), 0u);
  onApp = nullptr;
}

TEST_F(PopupMenuTest, AlignmentPlacesItAndTheScreenKeepsIt) {
  const struct {
    UINT flags;
    int x, y;
  } cases[] = {{TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 200, 300},
               {TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 5, 5},
               {TPM_LEFTALIGN, 235, 315}};
  for (const auto& c : cases) {
    RECT place{};
    devtest::ScriptNextModal(ModalKind::PopupMenu, [&](const ModalView& view) {
      GetWindowRect(view.window, &place);
      view.end(0);
    });
    Track(TPM_RETURNCMD | c.flags, c.x, c.y);
    EXPECT_GE(place.left, 0);
    EXPECT_GE(place.top, 0);
    EXPECT_LE(place.right, 240);
    EXPECT_LE(place.bottom, 320);
    if (c.x == 200) {
      EXPECT_EQ(place.right, 200);
      EXPECT_EQ(place.bottom, 300);
    }
  }
}

TEST_F(PopupMenuTest, TimersFireWhileItIsOpenAndNothingIsLeftBehind) {
  SetTimer(owner, 3, 100, nullptr);
  devtest::ScriptNextModal(ModalKind::PopupMenu, [&](const ModalView& view) {
    devtest::AdvanceTimeAndPump(250);
    view.end(300);
  });
  EXPECT_EQ(Track(), 300u);
  EXPECT_GE(MessagesOf(WM_TIMER).size(), 2u);
  KillTimer(owner, 3);
  int windows = devtest::LiveWindowCount();
  int gdiObjects = LiveGdiObjectCount();
  for (int i = 0; i < 1000; ++i) {
    devtest::ScriptNextModal(ModalKind::PopupMenu, [&](const ModalView&) {
      QueueKey(VK_DOWN);
      QueueKey(VK_DOWN);
      QueueKey(VK_DOWN);
      QueueKey(VK_DOWN);
      QueueKey(VK_RIGHT);
      QueueKey(VK_ESCAPE);
      QueueKey(VK_ESCAPE);
    });
    Track();
  }
  EXPECT_EQ(devtest::LiveWindowCount(), windows);
  EXPECT_EQ(LiveGdiObjectCount(), gdiObjects);
}

}  // namespace
