// Dialogs from templates: creation with every control, WM_INITDIALOG and
// its focus rule, the DWL_ slots, modal answers by keys and buttons, the
// owner's activation, Tab order, modeless dialogs in a program's own loop,
// and dialog units.
#include <string>

#include "platform/controls/button.h"
#include "platform/dialogs/dialogs.h"
#include "platform/input/virtual_keys.h"
#include "platform/windows/timers.h"
#include "tests/platform/dialogs/dialog_fixture.h"

namespace {

using devtest::ModalKind;
using devtest::ModalView;
using dialogtest::DialogTest;

constexpr int kGallery = 100;
constexpr int kPlain = 101;

// What the test procedure saw.
struct Seen {
  int initDialogs = 0;
  HWND initFocus = nullptr;
  LPARAM initParameter = 0;
  LPARAM okControl = -1;  // lParam of the IDOK command
  bool answerFalseToInit = false;
  HWND focusSetByInit = nullptr;
};
Seen gSeen;

BOOL TestProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      ++gSeen.initDialogs;
      gSeen.initFocus = reinterpret_cast<HWND>(wParam);
      gSeen.initParameter = lParam;
      SetWindowLongPtrW(dialog, DWL_USER, lParam);
      if (gSeen.answerFalseToInit) {
        gSeen.focusSetByInit = GetDlgItem(dialog, 1002);
        SetFocus(gSeen.focusSetByInit);
        return FALSE;
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        gSeen.okControl = lParam;
        EndDialog(dialog, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

class DialogBoxTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    gSeen = Seen{};
  }
  INT_PTR Run(int id, LPARAM parameter = 0) {
    return DialogBoxParamW(nullptr, MAKEINTRESOURCEW(static_cast<WORD>(id)), owner, TestProc, parameter);
  }
};

TEST_F(DialogBoxTest, TheGalleryHoldsEveryControlWithTheFirstTabStopFocused) {
  HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kGallery), owner, TestProc, 77);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(gSeen.initDialogs, 1);
  EXPECT_EQ(gSeen.initParameter, 77);
  EXPECT_EQ(GetWindowLongPtrW(dialog, DWL_USER), 77);
  EXPECT_EQ(GetWindowLongPtrW(dialog, DWL_DLGPROC), reinterpret_cast<LONG_PTR>(&TestProc));
  const struct {
    int id;
    const char16_t* className;
  } expected[] = {{1091, u"STATIC"}, {1001, u"EDIT"}, {1002, u"BUTTON"}, {1004, u"COMBOBOX"},
                  {1005, u"SysListView32"}, {1006, u"msctls_trackbar32"}, {1008, u"msctls_updown32"},
                  {1009, u"SysTabControl32"}, {1, u"BUTTON"}, {2, u"BUTTON"}};
  for (const auto& e : expected) {
    HWND control = GetDlgItem(dialog, e.id);
    ASSERT_NE(control, nullptr) << e.id;
    WCHAR name[64];
    GetClassNameW(control, name, 64);
    EXPECT_EQ(std::u16string(name), e.className);
  }
  WCHAR text[32];
  EXPECT_EQ(GetDlgItemTextW(dialog, 1001, text, 32), 9u);
  EXPECT_EQ(std::u16string(text), u"Edit text");
  EXPECT_EQ(gSeen.initFocus, GetDlgItem(dialog, 1001));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1001));
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
  // The controls share the template's font.
  EXPECT_NE(SendMessageW(dialog, WM_GETFONT, 0, 0), 0);
  EXPECT_EQ(SendDlgItemMessageW(dialog, 1001, WM_GETFONT, 0, 0), SendMessageW(dialog, WM_GETFONT, 0, 0));
  DestroyWindow(dialog);
}

TEST_F(DialogBoxTest, AProcedureAnsweringFalseKeepsTheFocusItSet) {
  gSeen.answerFalseToInit = true;
  HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kGallery), owner, TestProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetFocus(), gSeen.focusSetByInit);
  DestroyWindow(dialog);
}

TEST_F(DialogBoxTest, DialogUnitsFollowTheTemplateFont) {
  HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kGallery), owner, TestProc, 0);
  ASSERT_NE(dialog, nullptr);
  RECT units{0, 0, 4, 8};
  ASSERT_TRUE(MapDialogRect(dialog, &units));
  EXPECT_GT(units.right, 0);
  EXPECT_GT(units.bottom, 0);
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, 160 * units.right / 4);
  EXPECT_EQ(client.bottom, 176 * units.bottom / 8);
  HWND edit = GetDlgItem(dialog, 1001);
  RECT editRect;
  GetWindowRect(edit, &editRect);
  EXPECT_EQ(editRect.right - editRect.left, 100 * units.right / 4);
  LONG base = GetDialogBaseUnits();
  EXPECT_GT(LOWORD(static_cast<uintptr_t>(base)), 0);
  EXPECT_GT(HIWORD(static_cast<uintptr_t>(base)), 0);
  RECT notDialog{0, 0, 4, 8};
  EXPECT_FALSE(MapDialogRect(owner, &notDialog));
  DestroyWindow(dialog);
}

TEST_F(DialogBoxTest, EnterAndEscapeAnswerOneAndZero) {
  struct Case {
    int dialog;
    UINT key;
    INT_PTR answer;
    bool okFromButton;
  };
  const Case cases[] = {
      {kPlain, VK_RETURN, 1, false},   // no default push button: IDOK with lParam 0
      {kPlain, VK_ESCAPE, 0, false},
      {kGallery, VK_RETURN, 1, true},  // the default push button sends its handle
      {kGallery, VK_ESCAPE, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialog * 1000 + static_cast<int>(c.key));
    gSeen = Seen{};
    HWND okButton = nullptr;
    devtest::ScriptNextModal(ModalKind::Dialog, [&](const ModalView& view) {
      EXPECT_EQ(view.templateId, c.dialog);
      okButton = GetDlgItem(view.window, IDOK);
      QueueKey(c.key);
    });
    EXPECT_EQ(Run(c.dialog), c.answer);
    if (c.key == VK_RETURN) {
      EXPECT_EQ(gSeen.okControl, c.okFromButton ? reinterpret_cast<LPARAM>(okButton) : 0);
    }
    ASSERT_FALSE(devtest::DialogJournal().empty());
    EXPECT_EQ(devtest::DialogJournal().back().templateId, c.dialog);
    EXPECT_EQ(devtest::DialogJournal().back().result, c.answer);
    EXPECT_TRUE(devtest::DialogJournal().back().scripted);
  }
}

TEST_F(DialogBoxTest, AMultiLineEditKeepsItsEnter) {
  devtest::ScriptNextModal(ModalKind::Dialog, [&](const ModalView& view) {
    SetFocus(GetDlgItem(view.window, 1002));
    QueueKey(VK_RETURN);
  });
  EXPECT_EQ(Run(kPlain), 0);  // nobody answered: cancelled
  EXPECT_EQ(gSeen.okControl, -1);
}

TEST_F(DialogBoxTest, TabFollowsTabStopsSkippingHiddenAndDisabledControls) {
  HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kGallery), owner, TestProc, 0);
  ASSERT_NE(dialog, nullptr);
  std::vector<int> order;
  for (int i = 0; i < 9; ++i) {
    order.push_back(GetDlgCtrlID(GetFocus()));
    QueueKey(VK_TAB);
    PumpDialog(dialog);
  }
  devinput::KeyDown(VK_SHIFT);
  QueueKey(VK_TAB);
  devinput::KeyUp(VK_SHIFT);
  PumpDialog(dialog);
  order.push_back(GetDlgCtrlID(GetFocus()));
  // 1011 is hidden and 1012 disabled; Tab wraps from Cancel to the first
  // control; Shift+Tab goes back.
  std::vector<int> expected{1001, 1002, 1003, 1004, 1005, 1006, 1007, 1, 2, 2};
  EXPECT_EQ(order, expected);
  DestroyWindow(dialog);
}

TEST_F(DialogBoxTest, TheOwnerIsInactiveAndDisabledWhileItRunsAndActiveAfterwards) {
  HWND dialogWindow = nullptr;
  bool ownerEnabled = true;
  devtest::ScriptNextModal(ModalKind::Dialog, [&](const ModalView& view) {
    dialogWindow = view.window;
    ownerEnabled = IsWindowEnabled(owner) != FALSE;
    EXPECT_EQ(GetActiveWindow(), view.window);
    view.end(1);
  });
  EXPECT_EQ(Run(kPlain), 1);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetActiveWindow(), owner);
  auto activations = MessagesOf(WM_ACTIVATE);
  ASSERT_GE(activations.size(), 2u);
  EXPECT_EQ(LOWORD(activations[0].wParam), WA_INACTIVE);
  EXPECT_EQ(reinterpret_cast<HWND>(activations[0].lParam), dialogWindow);
  EXPECT_NE(LOWORD(activations.back().wParam), WA_INACTIVE);
  EXPECT_FALSE(IsWindow(dialogWindow));
}

TEST_F(DialogBoxTest, TimersKeepFiringWhileItRuns) {
  SetTimer(owner, 9, 100, nullptr);
  devtest::ScriptNextModal(ModalKind::Dialog, [&](const ModalView& view) {
    devtest::AdvanceTimeAndPump(350);
    view.end(1);
  });
  EXPECT_EQ(Run(kPlain), 1);
  EXPECT_GE(MessagesOf(WM_TIMER).size(), 3u);
  KillTimer(owner, 9);
}

TEST_F(DialogBoxTest, AnUnscriptedDialogIsCancelledAndAMissingOneFails) {
  EXPECT_EQ(Run(kPlain), 0);
  ASSERT_EQ(devtest::DialogJournal().size(), 1u);
  EXPECT_FALSE(devtest::DialogJournal()[0].scripted);
  EXPECT_EQ(Run(999), -1);
  EXPECT_EQ(CreateDialogParamW(nullptr, MAKEINTRESOURCEW(999), owner, TestProc, 0), nullptr);
  EXPECT_FALSE(EndDialog(owner, 1));
}

TEST_F(DialogBoxTest, EndDialogDuringInitialisationEndsBeforeTheLoop) {
  auto proc = [](HWND dialog, UINT message, WPARAM, LPARAM) -> BOOL {
    if (message == WM_INITDIALOG) EndDialog(dialog, 42);
    return FALSE;
  };
  EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kPlain), owner, proc, 0), 42);
}

TEST_F(DialogBoxTest, AProcedureThatDestroysItsOwnModalDialogEndsIt) {
  auto proc = [](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> BOOL {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
      EndDialog(dialog, 7);
      DestroyWindow(dialog);
      return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
      DestroyWindow(dialog);
      return TRUE;
    }
    return FALSE;
  };
  devtest::ScriptNextModal(ModalKind::Dialog, [](const ModalView&) { QueueKey(VK_RETURN); });
  EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kPlain), owner, proc, 0), 7);
  devtest::ScriptNextModal(ModalKind::Dialog, [](const ModalView&) { QueueKey(VK_ESCAPE); });
  EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kPlain), owner, proc, 0), 0);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogBoxTest, AModelessDialogWorksInAProgramsOwnLoop) {
  HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kGallery), owner, TestProc, 0);
  ASSERT_NE(dialog, nullptr);
  QueueKey(VK_TAB);
  PumpDialog(dialog);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1002));
  // Enter in the program's loop reaches the procedure, which ends nothing
  // for a modeless dialog but sees the default button's command.
  QueueKey(VK_RETURN);
  PumpDialog(dialog);
  EXPECT_EQ(gSeen.okControl, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  // A message for another window is left to the caller.
  MSG other{owner, WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_FALSE(IsDialogMessageW(dialog, &other));
  EXPECT_TRUE(IsWindow(dialog));
  DestroyWindow(dialog);
}

TEST_F(DialogBoxTest, OpeningAndClosingLeavesNoWindowsOrGdiObjects) {
  int windows = devtest::LiveWindowCount();
  int gdiObjects = LiveGdiObjectCount();
  for (int i = 0; i < 1000; ++i) {
    devtest::AnswerNextModal(ModalKind::Dialog, 1);
    Run(i % 2 == 0 ? kGallery : kPlain);
  }
  EXPECT_EQ(devtest::LiveWindowCount(), windows);
  EXPECT_EQ(LiveGdiObjectCount(), gdiObjects);
}

}  // namespace
