// Marks and links that lead into another book: a mark of another book is
// read from the side file the loader holds open, or from the book's own
// file when nothing holds it; a link to a book whose database name holds
// the address's delimiters is followed to that book, and back returns.
#include <gtest/gtest.h>

#include <string>

#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {
namespace {

constexpr uint32_t kNone = 0xFFFFFFFFu;

// Finds books by their database names, as the library does.
class NameCatalogue : public LibraryCatalogue {
 public:
  void ScanAllLocations() override {}
  bool FindPathByTitle(const SharedWideString& title, SharedWideString* path) override {
    if (S(title) != name) return false;
    *path = W(bookPath);
    return true;
  }
  void LookUpDocumentEntry(BookParameterFile*) override {}
  void OnDriveAdded(const SharedWideString&, const SharedWideString&) override {}
  void OnDriveRemoved(const SharedWideString&) override {}
  void OnMediaInserted(const SharedWideString&) override {}
  void OnMediaRemoved(const SharedWideString&) override {}
  std::u16string name;
  std::u16string bookPath;
};

class OtherBookTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\other.prc", MarkupBook(NumberedParagraphs(120), "Other")));
    ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\here.prc", MarkupBook(NumberedParagraphs(120), "Here")));
  }
  // A bookmark on page 3 of the other book; *position is that page's start.
  uint32_t MarkOtherBook(int32_t* position) {
    EXPECT_TRUE(harness.Open(u"\\other.prc"));
    EXPECT_TRUE(view().GoToPage(3));
    *position = view().GetCurrentPosition();
    const SharedWideString note = W(u"on page three");
    const uint32_t start = static_cast<uint32_t>(*position);
    uint32_t mark = kNone;
    EXPECT_TRUE(view().AddMarkRecord(ViewTextRange{start, start + 10}, &note, nullptr, 0, 1, -1, nullptr, &mark));
    return mark;
  }
  // The address of the shown book as a path (a redirect gives it escaped).
  bool Shows(const std::u16string& path) {
    SharedWideString text;
    return view().GetLocation().url.GetText(&text, false) && S(text) == path;
  }
};

TEST_F(OtherBookTest, AMarkOfAnotherBookIsReadFromItsFileWhenNothingHoldsIt) {
  int32_t position = -1;
  const uint32_t mark = MarkOtherBook(&position);
  ASSERT_NE(mark, kNone);
  ASSERT_TRUE(harness.Open(u"\\here.prc"));
  ASSERT_EQ(harness.loader.SideFileCount(), 1u) << "only this book's side file is open";
  const SharedWideString other = W(u"\\other.prc");
  ASSERT_TRUE(view().GoToBookmark(&other, mark, true));
  EXPECT_TRUE(Shows(u"\\other.prc"));
  EXPECT_EQ(view().GetCurrentPosition(), position);
  ASSERT_TRUE(view().GoBack(false));
  EXPECT_TRUE(Shows(u"\\here.prc"));

  // A mark the other book does not have, or a book without a side file.
  harness.application.Clear();
  EXPECT_FALSE(view().GoToBookmark(&other, mark + 100, true));
  const SharedWideString none = W(u"\\nowhere.prc");
  EXPECT_FALSE(view().GoToBookmark(&none, mark, true));
  EXPECT_TRUE(Shows(u"\\here.prc"));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OtherBookTest, AMarkOfAnotherBookComesFromTheCopyTheLoaderHolds) {
  int32_t position = -1;
  const uint32_t mark = MarkOtherBook(&position);
  ASSERT_NE(mark, kNone);
  // Another view keeps the other book's side file open.
  BookParameterFile* held = view().GetSideFile();
  held->AddRef();
  ASSERT_TRUE(harness.Open(u"\\here.prc"));
  ASSERT_EQ(harness.loader.SideFileCount(), 2u);
  // A mark made in the held copy after the book was left.
  const uint32_t later = held->AddBookmark(static_cast<uint32_t>(position) + 20, static_cast<uint32_t>(position) + 30,
                                           0, 0, 0, 1);
  ASSERT_NE(later, kNone);
  const SharedWideString other = W(u"\\other.prc");
  ASSERT_TRUE(view().GoToBookmark(&other, mark, true));
  EXPECT_TRUE(Shows(u"\\other.prc"));
  EXPECT_EQ(view().GetSideFile(), held) << "one copy of the side file";
  ASSERT_TRUE(view().GoBack(false));
  ASSERT_TRUE(view().GoToBookmark(&other, later, true));
  EXPECT_TRUE(Shows(u"\\other.prc"));
  held->Release();
}

TEST_F(OtherBookTest, ALinkToABookWithDelimitersInItsNameIsFollowedAndBackReturns) {
  const std::string name = "A&B#C$D+E";
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\delims.prc", MarkupBook(NumberedParagraphs(60), name)));
  // Outlives the view, whose side files tell it when they close.
  static NameCatalogue catalogue;
  catalogue.name = u"A&B#C$D+E";
  catalogue.bookPath = u"\\delims.prc";
  harness.loader.Bind(&harness.host, &harness.environment, &catalogue, ScriptPageServices());

  ASSERT_TRUE(harness.Open(u"\\here.prc"));
  ASSERT_TRUE(view().GoToPage(2));
  const int32_t sourcePosition = view().GetCurrentPosition();
  const SharedWideString note = W(u"see there");
  uint32_t source = kNone;
  ASSERT_TRUE(view().AddMarkRecord(ViewTextRange{static_cast<uint32_t>(sourcePosition),
                                                 static_cast<uint32_t>(sourcePosition) + 10},
                                   &note, nullptr, 0, 2, -1, nullptr, &source));
  ASSERT_TRUE(view().BeginLinkFromMark(source));
  ASSERT_TRUE(harness.Open(u"\\delims.prc"));
  ASSERT_TRUE(view().GoToPage(2));
  const int32_t targetPosition = view().GetCurrentPosition();
  ASSERT_TRUE(view().SaveSelectionState());
  int32_t result = -1;
  ASSERT_TRUE(view().CompleteSelectionRequest(true, &result));
  ASSERT_EQ(result, static_cast<int32_t>(source));

  ASSERT_TRUE(harness.Open(u"\\here.prc"));
  ASSERT_TRUE(view().GoToPage(2));
  harness.application.Clear();
  ASSERT_TRUE(view().OpenMark(source, nullptr));
  EXPECT_TRUE(Shows(u"\\delims.prc"));
  EXPECT_EQ(view().GetCurrentPosition(), targetPosition);
  EXPECT_TRUE(Messages().empty());
  ASSERT_TRUE(view().GoBack(false));
  EXPECT_TRUE(Shows(u"\\here.prc"));
  EXPECT_EQ(view().GetCurrentPosition(), sourcePosition);
  harness.loader.Bind(&harness.host, &harness.environment, nullptr, ScriptPageServices());
}

}  // namespace
}  // namespace viewtest
