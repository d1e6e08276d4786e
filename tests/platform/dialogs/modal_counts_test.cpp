// Message boxes, open-file dialogs, menu bars and the input panel opened
// and closed 1,000 times leave the live windows and graphics objects where
// they started. (Dialogs, sheets and pop-up menus are counted beside their
// own tests.)
#include "platform/dialogs/message_box.h"
#include "platform/dialogs/open_file_dialog.h"
#include "platform/input/virtual_keys.h"
#include "platform/input_panel/input_panel.h"
#include "platform/shell/shell_calls.h"
#include "tests/platform/dialogs/dialog_fixture.h"

namespace {

using devtest::ModalKind;
using devtest::ModalView;
using dialogtest::DialogTest;

TEST_F(DialogTest, OpeningAndClosingTheOtherModalsLeavesTheCounts) {
  // The first of each makes what stays for the process (classes, the
  // panel's window, the task bar).
  auto cycle = [&](int i) {
    devtest::ScriptNextModal(ModalKind::MessageBox, [](const ModalView&) { QueueKey(VK_RETURN); });
    MessageBoxW(owner, u"Text", u"Caption", i % 2 == 0 ? MB_OK | MB_ICONWARNING : MB_YESNOCANCEL);
    WCHAR file[64] = {};
    OPENFILENAMEW info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = owner;
    info.lpstrFilter = u"Books\0*.pdb\0";
    info.lpstrFile = file;
    info.nMaxFile = 64;
    devtest::ScriptNextModal(ModalKind::OpenFile, [](const ModalView&) { QueueKey(VK_ESCAPE); });
    GetOpenFileNameW(&info);
    SHMENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    bar.hwndParent = owner;
    bar.nToolBarId = 201;
    if (devshell::SHCreateMenuBar(&bar)) DestroyWindow(GetParent(bar.hwndMB));
    SipShowIM(SIPF_ON);
    SipShowIM(SIPF_OFF);
    devtest::PumpMessages();
  };
  cycle(0);
  int windows = devtest::LiveWindowCount();
  int gdiObjects = LiveGdiObjectCount();
  for (int i = 1; i <= 1000; ++i) cycle(i);
  EXPECT_EQ(devtest::LiveWindowCount(), windows);
  EXPECT_EQ(LiveGdiObjectCount(), gdiObjects);
  EXPECT_EQ(devtest::MessageBoxJournal().size(), 1001u);
  EXPECT_EQ(devtest::MessageBoxJournal().back().answer, IDOK);  // Enter on the default button
}

}  // namespace
