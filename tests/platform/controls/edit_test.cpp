// Edits: typing, selecting and deleting by keys and stylus in single- and
// multi-line edits, the notifications in order, the limit, read-only, and
// a subclass reading the real caret.
#include <gtest/gtest.h>

#include "platform/controls/edit.h"
#include "platform/input/device_input.h"
#include "platform/input/virtual_keys.h"
#include "tests/platform/controls/controls_fixture.h"

namespace {

using controltest::ControlTest;
using controltest::TextOf;

class Edit : public ControlTest {
 protected:
  void Type(const std::u16string& text) {
    for (char16_t c : text) {
      if (c >= u'a' && c <= u'z') devtest::PressKey(static_cast<UINT>(c - 32));
      else if (c >= u'A' && c <= u'Z') devtest::PressKeyWith(VK_SHIFT, static_cast<UINT>(c));
      else if (c == u' ') devtest::PressKey(VK_SPACE);
      else devtest::PressKey(static_cast<UINT>(c));
    }
  }
  std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
};

TEST_F(Edit, TypingSelectingAndDeletingInBothForms) {
  for (DWORD style : {DWORD{ES_AUTOHSCROLL}, DWORD{ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL}}) {
    SCOPED_TRACE(style);
    HWND edit = Make(u"EDIT", style | WS_BORDER, 10, 10, 120, 60, 1063);
    SetFocus(edit);
    notices.clear();
    Type(u"Hello world");
    EXPECT_EQ(TextOf(edit), u"Hello world");
    // Every character: EN_UPDATE then EN_CHANGE.
    ASSERT_EQ(notices.size(), 22u);
    EXPECT_EQ(notices[0].code, EN_UPDATE);
    EXPECT_EQ(notices[1].code, EN_CHANGE);
    devtest::PressKey(VK_HOME);
    devtest::PressKeyWith(VK_SHIFT, VK_RIGHT);
    devtest::PressKeyWith(VK_SHIFT, VK_RIGHT);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{2}));
    devtest::PressKey(VK_DELETE);
    EXPECT_EQ(TextOf(edit), u"llo world");
    devtest::PressKey(VK_END);
    devtest::PressKey(VK_BACK);
    EXPECT_EQ(TextOf(edit), u"llo worl");
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD{8}, DWORD{8}));
    DestroyWindow(edit);
  }
}

TEST_F(Edit, MultiLineWrapsAtWordsAndTakesReturn) {
  HWND edit = Make(u"EDIT", ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL, 10, 10, 80, 100, 5);
  SetWindowTextW(edit, u"one two three four five six seven");
  EXPECT_GT(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 1);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 3, 3);
  devtest::PressKey(VK_RETURN);
  EXPECT_EQ(TextOf(edit).substr(0, 6), u"one\r\n ");
  EXPECT_EQ(SendMessageW(edit, EM_LINEFROMCHAR, 5, 0), 1);
}

TEST_F(Edit, TheStylusPlacesTheCaretAndADragSelects) {
  HWND edit = Make(u"EDIT", ES_AUTOHSCROLL, 10, 10, 200, 20, 5, u"abcdefghij");
  RECT r;
  GetWindowRect(edit, &r);
  devtest::Tap(r.left + 2, r.top + 10);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{0}));
  devtest::Drag({{r.left + 2, r.top + 10}, {r.right - 2, r.top + 10}});
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{10}));
  devtest::PressKey('X');
  EXPECT_EQ(TextOf(edit), u"x");
}

TEST_F(Edit, MessagesLimitAndReadOnly) {
  HWND edit = Make(u"EDIT", 0, 10, 10, 100, 20, 9);
  SendMessageW(edit, EM_LIMITTEXT, 4, 0);
  SetWindowTextW(edit, u"ab");
  SendMessageW(edit, EM_SETSEL, 2, 2);
  notices.clear();
  SendMessageW(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(u"cdef"));
  EXPECT_EQ(TextOf(edit), u"abcd");
  EXPECT_EQ(Codes(), (std::vector<UINT>{EN_MAXTEXT, EN_UPDATE, EN_CHANGE}));
  EXPECT_EQ(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0), 4);
  SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
  EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
  SetFocus(edit);
  devtest::PressKey('Z');
  devtest::PressKey(VK_BACK);
  EXPECT_EQ(TextOf(edit), u"abcd");
  notices.clear();
  SetFocus(parent);
  SetFocus(edit);
  EXPECT_EQ(Codes(), (std::vector<UINT>{EN_KILLFOCUS, EN_SETFOCUS}));
}

WNDPROC g_original = nullptr;
std::vector<DWORD> g_caretsSeen;

LRESULT Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = CallWindowProcW(g_original, window, message, wParam, lParam);
  if (message == WM_CHAR || message == WM_KEYDOWN) {
    DWORD start = 0, end = 0;
    SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    g_caretsSeen.push_back(end);
  }
  return result;
}

TEST_F(Edit, WorksUnderASubclassThatReadsTheCaret) {
  HWND edit = Make(u"EDIT", ES_MULTILINE, 10, 10, 100, 60, 9);
  g_original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(edit, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Subclass)));
  g_caretsSeen.clear();
  SetFocus(edit);
  Type(u"ab");
  devtest::PressKey(VK_LEFT);
  EXPECT_EQ(TextOf(edit), u"ab");
  // Key-down of A, its character, key-down of B, its character, then Left.
  EXPECT_EQ(g_caretsSeen, (std::vector<DWORD>{0, 1, 1, 2, 1}));
  EXPECT_EQ(Codes(), (std::vector<UINT>{EN_SETFOCUS, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
}

TEST_F(Edit, AnEditMadeMultiLineAfterCreationWraps) {
  HWND edit = Make(u"EDIT", ES_AUTOHSCROLL, 10, 10, 80, 100, 9, u"one two three four five six");
  EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 1);
  LONG style = GetWindowLongW(edit, GWL_STYLE);
  SetWindowLongW(edit, GWL_STYLE, style | 0x201044);
  EXPECT_GT(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 1);
}

}  // namespace
