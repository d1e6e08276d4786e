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
#include "app/frame/catalogue_storage_events.h"
#include "app/pages/book_folder_catalogue.h"
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
  // A Palm database whose head names it `name`.
  static void MakeDatabase(const std::u16string& devicePath, const std::string& name) {
    MakeFile(devicePath);
    testbuild::PalmDatabaseBuilder builder;
    builder.Head().name = name;
    builder.AddRecord("text");
    ASSERT_TRUE(testbuild::WriteDeviceFile(devicePath, builder.Build()));
  }
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

namespace {

std::u16string Text(const SharedWideString& s) { return s.IsEmpty() ? u"" : std::u16string(s.Chars(), s.length); }

}  // namespace

TEST_F(ListPagesTest, TheCatalogueListsMainMemoryThenEachCard) {
  BookFolderCatalogue catalogue(environment.get());
  ASSERT_TRUE(catalogue.ListStorageLocations());
  ASSERT_EQ(catalogue.LocationCount(), 2u);
  EXPECT_EQ(Text(catalogue.LocationAt(0).path), u"\\");
  EXPECT_EQ(Text(catalogue.LocationAt(0).displayName), u"Main Memory");
  EXPECT_FALSE(catalogue.LocationAt(0).card);
  EXPECT_EQ(Text(catalogue.LocationAt(1).path), u"\\Storage Card");
  EXPECT_EQ(Text(catalogue.LocationAt(1).displayName), u"Storage Card");
  EXPECT_TRUE(catalogue.LocationAt(1).card);
  EXPECT_FALSE(catalogue.LocationAt(1).scanned);
  MakeFile(u"\\Storage Card\\eBooks\\card.txt");
  catalogue.ScanAllLocations();
  ASSERT_EQ(catalogue.BookCount(), 1u);
  EXPECT_EQ(Text(catalogue.BookAt(0).path), u"\\Storage Card\\eBooks\\card.txt");
  EXPECT_EQ(Text(catalogue.BookAt(0).fileName), u"card.txt");
  EXPECT_EQ(catalogue.BookAt(0).location, 1u);
}

TEST_F(ListPagesTest, TheCatalogueFindsABookByItsDatabaseNameExactly) {
  MakeDatabase(u"\\eBooks\\one.pdb", "Tales of Two");
  MakeDatabase(u"\\Storage Card\\eBooks\\two.corv", "Tales");
  MakeFile(u"\\eBooks\\Tales.txt");  // a text file has no database name
  MakeFile(u"\\eBooks\\short.prc");  // too short to hold a head
  BookFolderCatalogue catalogue(environment.get());
  SharedWideString path;
  ASSERT_TRUE(catalogue.FindPathByTitle(SharedWideString(u"Tales"), &path));
  EXPECT_EQ(Text(path), u"\\Storage Card\\eBooks\\two.corv");
  ASSERT_TRUE(catalogue.FindPathByTitle(SharedWideString(u"Tales of Two"), &path));
  EXPECT_EQ(Text(path), u"\\eBooks\\one.pdb");
  for (const char16_t* title : {u"tales", u"Tales of", u"x", u""}) {
    EXPECT_FALSE(catalogue.FindPathByTitle(SharedWideString(title), &path)) << std::string(title, title + 1);
  }
}

TEST_F(ListPagesTest, AStorageEventRelistsTheShownLibraryKeepingItsSelection) {
  MakeFile(u"\\eBooks\\kept.corv");
  MakeFile(u"\\Storage Card\\eBooks\\gone.corv");
  BookFolderCatalogue catalogue(environment.get());
  controller->SetCatalogue(&catalogue);
  CatalogueStorageEvents events(&catalogue);
  controller->ShowLibrary();
  ASSERT_EQ(Rows().size(), 2u);
  EncodedString kept;
  kept.FromWide(u"\\eBooks\\kept.corv");
  ASSERT_TRUE(controller->libraryPage().SelectPath(kept));

  ASSERT_TRUE(DeleteFileW(u"\\Storage Card\\eBooks\\gone.corv"));
  EncodedString card;
  card.FromWide(u"\\Storage Card\\");
  events.CatalogueRemove(card);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"\\eBooks\\kept.corv"}));
  EncodedString selected;
  ASSERT_TRUE(controller->libraryPage().PathOfRow(controller->libraryPage().SelectedRow(), &selected));
  EXPECT_EQ(testbuild::FakeFrameView::Narrow(selected), "\\eBooks\\kept.corv");

  // A card that comes back shows its books; a hidden library is not
  // touched until it shows.
  MakeFile(u"\\Storage Card\\eBooks\\back.corv");
  events.CatalogueFind(card, card);
  EXPECT_EQ(Rows().size(), 2u);
  controller->ShowAnnotations();
  MakeFile(u"\\eBooks\\later.corv");
  events.CatalogueAdd(card);
  EXPECT_EQ(Rows().size(), 2u);
  controller->ShowLibrary();
  EXPECT_EQ(Rows().size(), 3u);
  controller->SetCatalogue(nullptr);
}
