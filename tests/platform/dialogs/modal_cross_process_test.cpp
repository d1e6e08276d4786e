// A message sent from another process is answered while a modal window is
// open: a forked child opens a dialog, a message box or a pop-up menu over
// its own window; the parent sends to that window once the modal runs, and
// the modal's own loop must deliver the send (the child's handler answers
// it and ends the modal with a known answer, so a modal that ended by
// running dry shows its cancel answer instead).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "platform/dialogs/message_box.h"
#include "platform/menus/menus.h"
#include "tests/platform/dialogs/dialog_fixture.h"
#include "tests/platform/windows/child_reports.h"

namespace {

using crosstest::ReadReport;
using crosstest::Report;
using crosstest::SendReport;
using devtest::ModalKind;
using devtest::ModalView;

constexpr UINT kAdd = WM_USER + 1;
constexpr int kPlainDialog = 101;
constexpr INT_PTR kAnswerBySend = 77;  // what the handler ends a modal with

// The child's state: how to end the modal that runs, and with what.
std::function<void(INT_PTR)> g_endModal;
INT_PTR g_endAnswer = 0;

LRESULT HolderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kAdd) {
    SendReport('S', g_endModal ? 1 : 0);  // 1: a modal was running
    if (g_endModal) {
      auto end = std::move(g_endModal);
      g_endModal = nullptr;
      end(g_endAnswer);
    }
    return static_cast<LRESULT>(wParam) + 10 * lParam;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

BOOL PlainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    EndDialog(dialog, 0);
    return TRUE;
  }
  return FALSE;
}

// Runs one modal of `kind` over `owner` and answers what it answered.
INT_PTR RunModal(ModalKind kind, HWND owner) {
  switch (kind) {
    case ModalKind::Dialog:
      g_endAnswer = kAnswerBySend;
      return DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kPlainDialog), owner, PlainDialogProc, 0);
    case ModalKind::MessageBox:
      g_endAnswer = IDYES;
      return MessageBoxW(owner, u"Keep going?", u"Question", MB_YESNO | MB_ICONQUESTION);
    case ModalKind::PopupMenu: {
      g_endAnswer = 612;
      HMENU menu = CreatePopupMenu();
      AppendMenuW(menu, MF_STRING, 611, u"First");
      AppendMenuW(menu, MF_STRING, 612, u"Second");
      INT_PTR chosen = TrackPopupMenuEx(menu, TPM_RETURNCMD, 20, 20, owner, nullptr);
      DestroyMenu(menu);
      return chosen;
    }
    default:
      return -1;
  }
}

// The child: its window "ModalHolder", reported ready ('R'), then the modal,
// whose script reports 'M' and waits until the parent's send has arrived
// (so the modal's loop finds it there), then the modal's answer ('E').
[[noreturn]] void ChildMain(ModalKind kind, int reportFd) {
  crosstest::g_reportFd = reportFd;
  InitCommonControls();  // a forked child starts without the parent's classes
  WNDCLASSW wc{};
  wc.lpfnWndProc = HolderProc;
  wc.lpszClassName = u"ModalHolder";
  RegisterClassW(&wc);
  HWND window =
      CreateWindowExW(0, u"ModalHolder", u"Holder", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(window);
  SendReport('R', window != nullptr);
  devtest::ScriptNextModal(kind, [](const ModalView& view) {
    g_endModal = view.end;
    SendReport('M', 1);
    devtest::WaitForIncomingSend(5000);
  });
  INT_PTR answer = RunModal(kind, window);
  SendReport('E', answer);
  DestroyWindow(window);
  ::_exit(0);
}

class ModalCrossProcess : public dialogtest::DialogTest {
 protected:
  void TearDown() override {
    if (child_ > 0) {
      ::kill(child_, SIGKILL);
      ::waitpid(child_, nullptr, 0);
    }
    if (reports_ >= 0) ::close(reports_);
    DialogTest::TearDown();
  }
  void Start(ModalKind kind) {
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    child_ = ::fork();
    ASSERT_GE(child_, 0);
    if (child_ == 0) {
      ::close(pipeFds[0]);
      ChildMain(kind, pipeFds[1]);
    }
    ::close(pipeFds[1]);
    reports_ = pipeFds[0];
  }
  Report Next() {
    Report report{'?', 0};
    EXPECT_TRUE(ReadReport(reports_, &report));
    return report;
  }

  pid_t child_ = -1;
  int reports_ = -1;
};

TEST_F(ModalCrossProcess, ASendFromAnotherProcessIsAnsweredWhileAModalRuns) {
  const struct {
    ModalKind kind;
    INT_PTR answer;
  } cases[] = {
      {ModalKind::Dialog, kAnswerBySend},
      {ModalKind::MessageBox, IDYES},
      {ModalKind::PopupMenu, 612},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    Start(c.kind);
    Report ready = Next();
    ASSERT_EQ(ready.kind, 'R');
    ASSERT_EQ(ready.value, 1);
    HWND holder = FindWindowW(u"ModalHolder", nullptr);
    ASSERT_NE(holder, nullptr);
    Report modal = Next();
    ASSERT_EQ(modal.kind, 'M') << modal.value;

    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutW(holder, kAdd, 2, 3, SMTO_NORMAL, 5000, &result));
    EXPECT_EQ(static_cast<LRESULT>(result), 32);
    Report handled = Next();
    EXPECT_EQ(handled.kind, 'S');
    EXPECT_EQ(handled.value, 1);  // inside the modal
    Report ended = Next();
    EXPECT_EQ(ended.kind, 'E');
    EXPECT_EQ(ended.value, c.answer);  // ended by the handler, not by running dry

    int status = 0;
    ASSERT_EQ(::waitpid(child_, &status, 0), child_);
    child_ = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ::close(reports_);
    reports_ = -1;
  }
}

}  // namespace
