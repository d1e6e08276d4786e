// Message boxes: buttons and answers by flags, keys and taps, the journal,
// the owner's activation and an unscripted box ending at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/controls/control_classes.h"
#include "platform/dialogs/message_box.h"
#include "platform/input/virtual_keys.h"
#include "platform/testing/input.h"
#include "platform/testing/profile.h"
#include "platform/testing/reset.h"
#include "platform/testing/ui.h"
#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace {

using devtest::ModalKind;
using devtest::ModalView;

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetDevice();
    InitCommonControls();
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"Owner";
    ASSERT_NE(RegisterClassW(&wc), 0);
    owner = CreateWindowExW(0, u"Owner", u"Owner", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    devtest::PumpMessages();
  }
  void TearDown() override {
    if (IsWindow(owner)) DestroyWindow(owner);
    devtest::ResetDevice();
  }
  HWND owner = nullptr;
};

// Which buttons a box of the given flags shows, by the ids of its children.
std::vector<int> ButtonsOf(HWND box) {
  std::vector<int> ids;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    ids.push_back(GetDlgCtrlID(child));
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

TEST_F(MessageBoxTest, EachKindShowsItsButtonsAndAnswersEnterAndEscape) {
  struct Case {
    UINT flags;
    std::vector<int> buttons;
    int enter;
    int escape;
  };
  const Case cases[] = {
      {MB_OK | MB_ICONINFORMATION, {IDOK}, IDOK, IDOK},
      {MB_OKCANCEL | MB_ICONWARNING, {IDOK, IDCANCEL}, IDOK, IDCANCEL},
      {MB_YESNO | MB_ICONQUESTION, {IDYES, IDNO}, IDYES, IDNO},
      {MB_YESNO | MB_DEFBUTTON2, {IDYES, IDNO}, IDNO, IDNO},
      {MB_YESNOCANCEL | MB_ICONERROR, {IDYES, IDNO, IDCANCEL}, IDYES, IDCANCEL},
      {MB_YESNOCANCEL | MB_DEFBUTTON2, {IDYES, IDNO, IDCANCEL}, IDNO, IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    for (UINT key : {VK_RETURN, VK_ESCAPE}) {
      std::vector<int> seen;
      devtest::ScriptNextModal(ModalKind::MessageBox, [&](const ModalView& view) {
        seen = ButtonsOf(view.window);
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
      });
      int answer = MessageBoxW(owner, u"Text", u"Caption", c.flags);
      std::vector<int> expected = c.buttons;
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(seen, expected);
      EXPECT_EQ(answer, key == VK_RETURN ? c.enter : c.escape);
    }
  }
}

TEST_F(MessageBoxTest, ATapOnAButtonAnswersItAndTheBoxIsJournalled) {
  devtest::ScriptNextModal(ModalKind::MessageBox, [&](const ModalView& view) {
    HWND no = GetDlgItem(view.window, IDNO);
    ASSERT_NE(no, nullptr);
    RECT place;
    GetWindowRect(no, &place);
    devtest::Tap(place.left + 3, place.top + 3);
  });
  EXPECT_EQ(MessageBoxW(owner, u"Delete the book?", u"Library", MB_YESNO | MB_ICONQUESTION), IDNO);
  ASSERT_EQ(devtest::MessageBoxJournal().size(), 1u);
  const auto& record = devtest::MessageBoxJournal()[0];
  EXPECT_EQ(record.caption, u"Library");
  EXPECT_EQ(record.text, u"Delete the book?");
  EXPECT_EQ(record.flags, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(record.answer, IDNO);
  EXPECT_TRUE(record.scripted);
}

TEST_F(MessageBoxTest, TheOwnerIsDisabledAndInactiveWhileItShowsAndActiveAfterwards) {
  SetForegroundWindow(owner);
  bool ownerEnabled = true;
  HWND activeDuring = nullptr;
  devtest::ScriptNextModal(ModalKind::MessageBox, [&](const ModalView& view) {
    ownerEnabled = IsWindowEnabled(owner) != FALSE;
    activeDuring = GetActiveWindow();
    EXPECT_EQ(activeDuring, view.window);
    view.end(IDOK);
  });
  EXPECT_EQ(MessageBoxW(owner, u"Done", u"Caption", MB_OK), IDOK);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(MessageBoxTest, AnUnscriptedBoxEndsAtOnceWithItsCancelAnswer) {
  EXPECT_EQ(MessageBoxW(owner, u"?", u"C", MB_YESNOCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxW(owner, u"?", u"C", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxW(nullptr, u"?", u"C", MB_OK), IDOK);
  ASSERT_EQ(devtest::MessageBoxJournal().size(), 3u);
  EXPECT_FALSE(devtest::MessageBoxJournal()[0].scripted);
}

}  // namespace
