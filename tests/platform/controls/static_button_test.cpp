// Static labels and buttons: clicks by the stylus, keys and messages, check
// states, radio groups and owner drawing.
#include <gtest/gtest.h>

#include "platform/controls/button.h"
#include "platform/controls/static_control.h"
#include "platform/gdi/gdi.h"
#include "platform/input/virtual_keys.h"
#include "tests/platform/controls/controls_fixture.h"

namespace {

using controltest::CentreOf;
using controltest::ControlTest;

class StaticAndButton : public ControlTest {};

TEST_F(StaticAndButton, ANotifyingStaticSendsClickedOnATap) {
  HWND label = Make(u"STATIC", SS_NOTIFY, 10, 10, 80, 20, 40169, u"Create");
  HWND plain = Make(u"STATIC", SS_LEFT, 10, 40, 80, 20, 41, u"Plain");
  POINT p = CentreOf(label);
  devtest::Tap(p.x, p.y);
  p = CentreOf(plain);
  devtest::Tap(p.x, p.y);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0], (controltest::Notice{WM_COMMAND, 40169, STN_CLICKED, label}));
}

TEST_F(StaticAndButton, ClicksByTapSpaceAndMessage) {
  struct Case {
    const char* name;
    DWORD style;
    WPARAM checkAfterOneClick;
  };
  const Case cases[] = {
      {"push", BS_PUSHBUTTON, BST_UNCHECKED},        {"default push", BS_DEFPUSHBUTTON, BST_UNCHECKED},
      {"auto check box", BS_AUTOCHECKBOX, BST_CHECKED}, {"plain check box", BS_CHECKBOX, BST_UNCHECKED},
      {"auto radio", BS_AUTORADIOBUTTON, BST_CHECKED},  {"auto three-state", BS_AUTO3STATE, BST_CHECKED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    notices.clear();
    HWND button = Make(u"BUTTON", c.style | WS_TABSTOP, 10, 10, 100, 24, 7, u"Button");
    POINT p = CentreOf(button);
    devtest::Tap(p.x, p.y);
    EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), static_cast<LRESULT>(c.checkAfterOneClick));
    SetFocus(button);
    devtest::PressKey(VK_SPACE);
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(Codes(WM_COMMAND), (std::vector<UINT>{BN_CLICKED, BN_CLICKED, BN_CLICKED}));
    DestroyWindow(button);
  }
}

TEST_F(StaticAndButton, AReleaseOutsideSendsNothing) {
  HWND button = Make(u"BUTTON", BS_AUTOCHECKBOX, 10, 10, 100, 24, 7, u"Check");
  devtest::Drag({{20, 20}, {150, 150}});
  EXPECT_TRUE(notices.empty());
  EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
}

TEST_F(StaticAndButton, ACheckBoxTapTogglesAndSendsClicked) {
  HWND box = Make(u"BUTTON", BS_AUTOCHECKBOX, 10, 10, 100, 24, 1034, u"Turns pages");
  POINT p = CentreOf(box);
  devtest::Tap(p.x, p.y);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  devtest::Tap(p.x, p.y);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
  EXPECT_EQ(notices, (std::vector<controltest::Notice>{{WM_COMMAND, 1034, BN_CLICKED, box},
                                                       {WM_COMMAND, 1034, BN_CLICKED, box}}));
}

TEST_F(StaticAndButton, AutomaticRadioButtonsUncheckTheirGroup) {
  HWND first = Make(u"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 100, 20, 1, u"Portrait");
  HWND second = Make(u"BUTTON", BS_AUTORADIOBUTTON, 10, 40, 100, 20, 2, u"Landscape");
  HWND other = Make(u"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 10, 70, 100, 20, 3, u"Other group");
  SendMessageW(first, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(other, BM_SETCHECK, BST_CHECKED, 0);
  POINT p = CentreOf(second);
  devtest::Tap(p.x, p.y);
  EXPECT_EQ(SendMessageW(first, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
  EXPECT_EQ(SendMessageW(second, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  EXPECT_EQ(SendMessageW(other, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
}

TEST_F(StaticAndButton, AnOwnerDrawnButtonAsksItsParentToDraw) {
  std::vector<DRAWITEMSTRUCT> drawn;
  onOther = [&](UINT message, WPARAM, LPARAM lParam, bool* handled) -> LRESULT {
    if (message != WM_DRAWITEM) return 0;
    drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    *handled = true;
    return TRUE;
  };
  HWND button = Make(u"BUTTON", BS_OWNERDRAW, 10, 10, 60, 30, 1109, u"");
  devtest::PumpMessages();
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back().CtlType, ODT_BUTTON);
  EXPECT_EQ(drawn.back().CtlID, 1109u);
  EXPECT_EQ(drawn.back().itemAction, ODA_DRAWENTIRE);
  EXPECT_EQ(drawn.back().hwndItem, button);
  EXPECT_EQ(drawn.back().rcItem.right, 60);
  EXPECT_NE(drawn.back().hDC, nullptr);
  drawn.clear();
  SendMessageW(button, BM_SETSTATE, TRUE, 0);
  devtest::PumpMessages();
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back().itemAction, ODA_SELECT);
  EXPECT_TRUE(drawn.back().itemState & ODS_SELECTED);
  drawn.clear();
  EnableWindow(button, FALSE);
  devtest::PumpMessages();
  ASSERT_FALSE(drawn.empty());
  EXPECT_TRUE(drawn.back().itemState & ODS_DISABLED);
}

TEST_F(StaticAndButton, StaticIconsAndFontsAreKept) {
  HWND icon = Make(u"STATIC", SS_ICON, 10, 10, 32, 32, 1024);
  EXPECT_EQ(SendMessageW(icon, STM_SETICON, 0, 0), 0);
  HGDIOBJ font = GetStockObject(SYSTEM_FONT);
  SendMessageW(icon, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  EXPECT_EQ(SendMessageW(icon, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
}

}  // namespace
