// The library and annotations page stand-ins on the main window: the book
// files of "\eBooks" and of each card's "\eBooks" (nothing else), the book
// shown selected, a tap or Enter opening the book, the window title and
// which page is active.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/controls/list_view.h"
#include "platform/input/virtual_keys.h"
#include "platform/files/files.h"
#include "platform/testing/input.h"
#include "platform/windows/window_positions.h"
#include "tests/app/frame_fixture.h"
#include "tests/support/palm_database_builder.h"

using apptest::FrameFixture;

namespace {

class ListPagesTest : public FrameFixture {
 protected:
  // A one-byte file, its folders made first.
  static void MakeFile(const std::u16string& devicePath) {
    for (size_t slash = devicePath.find(u'\\', 1); slash != std::u16string::npos;
         slash = devicePath.find(u'\\', slash + 1)) {
      CreateDirectoryW(devicePath.substr(0, slash).c_str(), nullptr);
    }
    ASSERT_TRUE(testbuild::WriteDeviceFile(devicePath, {'x'}));
  }
  std::u16string Title() {
    WCHAR text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
  }
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    EncodedString path;
    for (int32_t row = 0; controller->libraryPage().PathOfRow(row, &path); ++row)
      rows.push_back(testbuild::FakeFrameView::Narrow(path));
    return rows;
  }
  HWND List() { return controller->libraryPage().window(); }
  // Taps the middle of a row of the list.
  void TapRow(int row) {
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageW(List(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(List(), &p);
    devtest::Tap(p.x, p.y);
    devtest::PumpMessages();
  }
};

}  // namespace

TEST_F(ListPagesTest, TheLibraryListsTheBookFilesOfTheBookFoldersOnly) {
  MakeFile(u"\\eBooks\\first.corv");
  MakeFile(u"\\eBooks\\notes.doc");
  MakeFile(u"\\eBooks\\SECOND.TXT");
  MakeFile(u"\\eBooks\\deeper\\third.prc");
  MakeFile(u"\\My Documents\\elsewhere.pdb");
  MakeFile(u"\\Storage Card\\eBooks\\card.pdb");
  ASSERT_TRUE(controller->libraryPage().window() != nullptr);
  EXPECT_EQ(controller->GetActiveListPage(), 0u);

  view.hasDocument = true;
  view.path = u"\\eBooks\\Second.txt";
  controller->readingBar().Show(true);
  controller->ShowLibrary();
  EXPECT_EQ(controller->GetActiveListPage(), 1u);
  EXPECT_TRUE(IsWindowVisible(List()));
  EXPECT_FALSE(controller->readingBar().shown());
  EXPECT_EQ(Title(), u"Corvelline Reader");
  std::vector<std::string> rows = Rows();
  std::sort(rows.begin(), rows.end());  // the folders list in no set order
  EXPECT_EQ(rows, (std::vector<std::string>{"\\Storage Card\\eBooks\\card.pdb", "\\eBooks\\SECOND.TXT",
                                            "\\eBooks\\first.corv"}));
  EXPECT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 3);
  // The book that was shown is the selected row, whatever its case.
  const int selected =
      static_cast<int>(SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  EncodedString path;
  ASSERT_TRUE(controller->libraryPage().PathOfRow(selected, &path));
  EXPECT_EQ(testbuild::FakeFrameView::Narrow(path), "\\eBooks\\SECOND.TXT");

  // Shown again: listed afresh, not twice.
  MakeFile(u"\\eBooks\\fourth.htm");
  controller->ShowLibrary();
  EXPECT_EQ(Rows().size(), 4u);
  EXPECT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 4);
}

TEST_F(ListPagesTest, ATapOrEnterOpensTheBookAndAFailedOpenKeepsTheLibrary) {
  MakeFile(u"\\eBooks\\only.corv");
  controller->ShowLibrary();
  ASSERT_EQ(Rows().size(), 1u);
  view.calls.clear();
  view.openSucceeds = false;
  TapRow(0);
  ASSERT_EQ(view.calls, (std::vector<std::string>{"open \\eBooks\\only.corv"}));
  EXPECT_EQ(controller->GetActiveListPage(), 1u);  // the book did not open

  view.calls.clear();
  view.openSucceeds = true;
  SetFocus(List());
  devtest::PressKey(VK_RETURN);
  devtest::PumpMessages();
  EXPECT_EQ(view.calls, (std::vector<std::string>{"open \\eBooks\\only.corv"}));
  EXPECT_EQ(controller->GetActiveListPage(), 0u);
  EXPECT_FALSE(IsWindowVisible(List()));
}

TEST_F(ListPagesTest, TheAnnotationsPageReplacesTheLibraryAndADocumentHidesBoth) {
  controller->ShowLibrary();
  controller->ShowAnnotations();
  EXPECT_EQ(controller->GetActiveListPage(), 3u);
  EXPECT_FALSE(IsWindowVisible(List()));
  EXPECT_TRUE(IsWindowVisible(controller->annotationsPage().window()));
  // The pages follow the window's size.
  RECT client{};
  GetClientRect(window, &client);
  RECT page{};
  GetWindowRect(controller->annotationsPage().window(), &page);
  EXPECT_EQ(page.right - page.left, client.right - client.left);
  view.title = u"A Book";
  controller->UpdateWindowTitle();
  EXPECT_EQ(controller->GetActiveListPage(), 0u);
  EXPECT_EQ(Title(), u"A Book - Corvelline Reader");
}
