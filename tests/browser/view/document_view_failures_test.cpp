// What the user sees when a navigation fails (exactly one message), the
// pages the view builds itself, and local files of every shown kind.
#include <gtest/gtest.h>

#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "platform/files/files.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {
namespace {

class ViewFailuresTest : public ViewTest {};

TEST_F(ViewFailuresTest, AMissingFileShowsCouldNotOpenOnceWithTheDecodedAddress) {
  EXPECT_FALSE(harness.Open(u"\\eBooks\\big book.pdb"));
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].number, 5028);
  EXPECT_EQ(messages[0].kind, 2);
  EXPECT_EQ(messages[0].text, u"Could not open: \\eBooks\\big book.pdb");
  EXPECT_EQ(view().GetLayout(), nullptr);
}

TEST_F(ViewFailuresTest, ABookTheLoaderRefusesShowsOnlyTheLoadersMessage) {
  std::vector<uint8_t> book = MarkupBook(NumberedParagraphs(5));
  // Cut the book inside its record list.
  book.resize(90);
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\cut.prc", book));
  EXPECT_FALSE(harness.Open(u"\\cut.prc"));
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].number, 5028);
}

TEST_F(ViewFailuresTest, AnUnknownExtensionFailsWithOneMessage) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\notes.xyz", {'a', 'b'}));
  EXPECT_FALSE(harness.Open(u"\\notes.xyz"));
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(ViewFailuresTest, BookmarksWithoutMarksShowTheMessageAndStayOnThePage) {
  ASSERT_TRUE(OpenBook(u"\\marks.prc", MarkupBook(NumberedParagraphs(100))));
  ASSERT_TRUE(view().GoToPage(3));
  const int32_t position = view().GetCurrentPosition();
  EXPECT_FALSE(harness.Open(u"oeb:bookmarks"));
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].number, 5260);
  EXPECT_EQ(messages[0].caption, 5019);
  EXPECT_EQ(view().GetCurrentPosition(), position);
  EXPECT_EQ(harness.application.Count("annotations"), 0);
}

TEST_F(ViewFailuresTest, TheLibraryPageIsTheApplications) {
  EXPECT_TRUE(harness.Open(u"oeb:library"));
  EXPECT_EQ(harness.application.Count("library"), 1);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ViewFailuresTest, LocalFilesOfEveryShownKindOpen) {
  const std::string prose = "First line of the file.\r\nSecond line, with caf\xE9 and \x93quotes\x94.\r\n";
  struct Case {
    const char16_t* path;
    std::string bytes;
  };
  const Case cases[] = {
      {u"\\a.txt", prose},
      {u"\\bom.txt", "\xEF\xBB\xBF" "Text after a byte-order mark.\n"},
      {u"\\UPPER.TXT", prose},
      {u"\\page.html", "<html><body><p>A page with <b>bold</b> text.</p></body></html>"},
      {u"\\nobody.htm", "<html><head><title>T</title></head><p>No body tag here.</p></html>"},
      {u"\\bare.html", "Only words, no markup at all."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path, c.path + std::char_traits<char16_t>::length(c.path)).c_str());
    harness.application.Clear();
    ASSERT_TRUE(testbuild::WriteDeviceFile(c.path, std::vector<uint8_t>(c.bytes.begin(), c.bytes.end())));
    EXPECT_TRUE(harness.Open(c.path));
    EXPECT_TRUE(Messages().empty());
    ASSERT_NE(view().GetLayout(), nullptr);
    EXPECT_EQ(view().GetCurrentPageNumber(), 1);
    harness.Paint();
    size_t ink = 0;
    for (uint32_t pixel : harness.Pixels()) ink += pixel == 0x000000 ? 1 : 0;
    EXPECT_GT(ink, 20u) << "the text was drawn";
    view().CloseCurrentDocument();
  }
}

}  // namespace
}  // namespace viewtest

namespace viewtest {
namespace {

TEST_F(ViewFailuresTest, RelativeAddressesResolveAgainstTheShownBook) {
  ASSERT_TRUE(CreateDirectoryW(u"\\shelf", nullptr));
  ASSERT_TRUE(OpenBook(u"\\shelf\\one.prc", MarkupBook(NumberedParagraphs(3), "One")));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\shelf\\two.prc", MarkupBook(NumberedParagraphs(4), "Two")));
  Url base;
  ASSERT_TRUE(view().GetBaseUrl(&base));
  EXPECT_NE(base.state, kUrlEmpty);
  EXPECT_TRUE(view().OpenUrl(W(u"two.prc"), false));
  EXPECT_TRUE(Messages().empty());
  SharedWideString shown;
  ASSERT_TRUE(view().GetLocation().url.GetText(&shown, false));
  EXPECT_EQ(S(shown), u"\\shelf\\two.prc");
  EXPECT_FALSE(view().OpenUrl(W(u"http://example.org/"), true)) << "an address that does not parse";
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ViewFailuresTest, AListAddressIsARequestThatFailsWithItsText) {
  // The word list opens as a request, which this build cannot carry out:
  // the failure names the address (the database file the loader rewrote it
  // into) and the request, as the script call that makes it.
  EXPECT_FALSE(harness.Open(u"oeb:database?name=corvelline_wordlist"));
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].number, 5028);
  const std::u16string& text = messages[0].text;
  EXPECT_EQ(text.rfind(u"Could not open: ", 0), 0u);
  const std::u16string call = u"(window.display_wordlist())";
  ASSERT_GE(text.size(), call.size());
  EXPECT_EQ(text.substr(text.size() - call.size()), call);
}

}  // namespace
}  // namespace viewtest
