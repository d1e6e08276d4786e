// The drop-down list combo box: filled by its owner on CBN_DROPDOWN and
// chosen by a tap, closed by a tap outside, keys, and the entry messages.
#include <gtest/gtest.h>

#include "platform/controls/combo_box.h"
#include "platform/input/virtual_keys.h"
#include "tests/platform/controls/controls_fixture.h"

namespace {

using controltest::ControlTest;

class ComboBox : public ControlTest {
 protected:
  HWND MakeCombo() { return Make(u"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 10, 150, 22, 1002); }
};

TEST_F(ComboBox, FilledOnDropDownAndChosenByATap) {
  HWND combo = MakeCombo();
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"--- Auto ---"));
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  onCommand = [&](WPARAM wParam, LPARAM) -> LRESULT {
    if (HIWORD(wParam) == CBN_DROPDOWN && SendMessageW(combo, CB_GETCOUNT, 0, 0) == 1) {
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Dictionary A"));
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Dictionary B"));
    }
    return 0;
  };
  POINT p = controltest::CentreOf(combo);
  devtest::Tap(p.x, p.y);
  HWND list = FindWindowW(u"ComboLBox", nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  RECT r;
  GetWindowRect(list, &r);
  EXPECT_EQ(r.top, 32);  // just below the box
  int entry = (r.bottom - r.top - 2) / 3;
  devtest::Tap(r.left + 20, r.top + 1 + entry * 2 + entry / 2);
  EXPECT_FALSE(IsWindow(list));
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(controltest::TextOf(combo), u"Dictionary B");
  EXPECT_EQ(Codes(), (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_CLOSEUP}));
}

TEST_F(ComboBox, ATapOutsideClosesWithoutAChoice) {
  HWND combo = MakeCombo();
  for (const char16_t* text : {u"Ask", u"Highlight", u"Lookup"}) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  devtest::Tap(200, 250);
  EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Codes(), (std::vector<UINT>{CBN_DROPDOWN, CBN_CLOSEUP}));
}

TEST_F(ComboBox, KeysChangeTheSelectionAndTheActionKeyDrops) {
  HWND combo = MakeCombo();
  for (const char16_t* text : {u"Ask", u"Highlight", u"Lookup"}) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  SetFocus(combo);
  notices.clear();
  devtest::PressKey(VK_DOWN);
  devtest::PressKey(VK_DOWN);
  devtest::PressKey(VK_DOWN);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
  devtest::PressKey(VK_RETURN);
  EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  devtest::PressKey(VK_UP);
  devtest::PressKey(VK_RETURN);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Codes(), (std::vector<UINT>{CBN_SELCHANGE, CBN_SELCHANGE, CBN_DROPDOWN, CBN_SELCHANGE, CBN_CLOSEUP}));
}

TEST_F(ComboBox, EntryMessages) {
  HWND combo = MakeCombo();
  EXPECT_EQ(SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"b")), 0);
  EXPECT_EQ(SendMessageW(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"a")), 0);
  EXPECT_EQ(SendMessageW(combo, CB_INSERTSTRING, 5, reinterpret_cast<LPARAM>(u"x")), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"B")), 1);
  EXPECT_EQ(SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"c")), CB_ERR);
  SendMessageW(combo, CB_SETITEMDATA, 1, 77);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 1, 0), 77);
  EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXTLEN, 1, 0), 1);
  WCHAR text[8];
  EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text)), 1);
  EXPECT_EQ(std::u16string(text), u"a");
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 9, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  SendMessageW(combo, CB_DELETESTRING, 0, 0);
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 1);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 0);
}

}  // namespace
