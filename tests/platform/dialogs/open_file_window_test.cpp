// The open-file dialog's window: the files of the chosen folder and its
// sub-folders that match the chosen type, a tap choosing one, the type
// changed, and Escape cancelling.
#include <string>
#include <vector>

#include "platform/controls/combo_box.h"
#include "platform/controls/list_view.h"
#include "platform/dialogs/open_file_dialog.h"
#include "platform/files/files.h"
#include "platform/input/virtual_keys.h"
#include "platform/testing/files.h"
#include "platform/threads/threads.h"
#include "tests/platform/dialogs/dialog_fixture.h"

namespace {

using devtest::ModalKind;
using devtest::ModalView;
using dialogtest::DialogTest;

class OpenFileWindowTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    devtest::UseFreshDeviceRoot();
    CreateDirectoryW(u"\\My Documents", nullptr);
    CreateDirectoryW(u"\\My Documents\\sub", nullptr);
    for (const char16_t* path : {u"\\My Documents\\a.pdb", u"\\My Documents\\b.PRC", u"\\My Documents\\c.txt",
                                 u"\\My Documents\\sub\\d.pdb", u"\\Storage Card\\e.pdb", u"\\x.pdb"}) {
      HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      ASSERT_NE(file, INVALID_HANDLE_VALUE);
      CloseHandle(file);
    }
    info.lStructSize = sizeof info;
    info.hwndOwner = owner;
    info.lpstrFilter = u"Books\0*.PRC;*.PDB\0Text\0*.txt\0";
    info.nFilterIndex = 1;
    info.lpstrFile = file;
    info.nMaxFile = 64;
    info.lpstrInitialDir = u"\\My Documents";
    info.Flags = OFN_OVERWRITEPROMPT;  // asked by the program; ignored
  }
  static std::vector<std::u16string> Rows(HWND list) {
    std::vector<std::u16string> rows;
    int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      WCHAR text[64] = {};
      LVITEMW item{};
      item.iSubItem = 0;
      item.pszText = text;
      item.cchTextMax = 64;
      SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      rows.push_back(text);
    }
    return rows;
  }
  OPENFILENAMEW info{};
  WCHAR file[64] = {};
};

TEST_F(OpenFileWindowTest, ItListsTheMatchingFilesAndATapChoosesOne) {
  std::vector<std::u16string> books, texts, card;
  devtest::ScriptNextModal(ModalKind::OpenFile, [&](const ModalView& view) {
    HWND list = GetDlgItem(view.window, 1103);
    HWND folders = GetDlgItem(view.window, 1101);
    HWND types = GetDlgItem(view.window, 1102);
    books = Rows(list);
    SendMessageW(folders, CB_SETCURSEL, 2, 0);  // the storage card
    SendMessageW(view.window, WM_COMMAND, MAKELONG(1101, CBN_SELCHANGE), reinterpret_cast<LPARAM>(folders));
    card = Rows(list);
    SendMessageW(folders, CB_SETCURSEL, 1, 0);
    SendMessageW(types, CB_SETCURSEL, 1, 0);
    SendMessageW(view.window, WM_COMMAND, MAKELONG(1102, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
    texts = Rows(list);
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    POINT at{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
    ClientToScreen(list, &at);
    QueueTap(at.x, at.y);
  });
  ASSERT_TRUE(GetOpenFileNameW(&info));
  EXPECT_EQ(books, (std::vector<std::u16string>{u"a.pdb", u"b.PRC", u"d.pdb"}));
  EXPECT_EQ(card, (std::vector<std::u16string>{u"e.pdb"}));
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"c.txt"}));
  EXPECT_EQ(std::u16string(file), u"\\My Documents\\c.txt");
  EXPECT_EQ(info.nFilterIndex, 2u);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(devtest::OpenFileJournal().back().path, u"\\My Documents\\c.txt");
}

TEST_F(OpenFileWindowTest, EscapeCancelsAndEnterChoosesTheSelectedFile) {
  devtest::ScriptNextModal(ModalKind::OpenFile, [&](const ModalView&) { QueueKey(VK_ESCAPE); });
  EXPECT_FALSE(GetOpenFileNameW(&info));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  devtest::ScriptNextModal(ModalKind::OpenFile, [&](const ModalView&) {
    QueueKey(VK_DOWN);
    QueueKey(VK_DOWN);
    QueueKey(VK_RETURN);
  });
  ASSERT_TRUE(GetOpenFileNameW(&info));
  EXPECT_EQ(std::u16string(file), u"\\My Documents\\b.PRC");
}

}  // namespace
