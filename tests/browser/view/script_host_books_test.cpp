// Page scripts driving a real book in the view: turning pages, moving to a
// position through location.hash, reading the address, and replacing the
// page without a history entry where window.open records one.
#include <gtest/gtest.h>

#include "layout/pages/layout_context.h"
#include "tests/browser/view/script_host_fixture.h"

namespace scripthost {
namespace {

class ScriptHostBooksTest : public ScriptHostTest {
 protected:
  bool OpenPages(const std::u16string& path, int paragraphs = 200) {
    return OpenBook(path, viewtest::MarkupBook(viewtest::NumberedParagraphs(paragraphs)));
  }
};

TEST_F(ScriptHostBooksTest, ScriptsTurnThePagesOfTheBook) {
  ASSERT_TRUE(OpenPages(u"\\pages.prc"));
  ASSERT_EQ(view().GetCurrentPageNumber(), 1);
  EXPECT_EQ(Run("document.goto_page(5);"), "undefined");
  EXPECT_EQ(view().GetCurrentPageNumber(), 5);
  Run("document.goto_page_relative(-5);");
  EXPECT_EQ(view().GetCurrentPageNumber(), 4) << "any step back is one page";
  Run("document.goto_page_relative(0);");
  EXPECT_EQ(view().GetCurrentPageNumber(), 3);
  Run("document.goto_page_relative(7);");
  EXPECT_EQ(view().GetCurrentPageNumber(), 4);
  Run("document.goto_page('2');");
  EXPECT_EQ(view().GetCurrentPageNumber(), 4) << "a text is no page number";
  Run("document.goto_last_page();");
  const int32_t last = view().GetCurrentPageNumber();
  EXPECT_GT(last, 3);
  Run("document.goto_first_page();");
  EXPECT_EQ(view().GetCurrentPageNumber(), 1);
  EXPECT_TRUE(harness.application.Messages().empty());
}

TEST_F(ScriptHostBooksTest, LocationHashMovesToAPositionAndTheAddressReadsBack) {
  ASSERT_TRUE(OpenPages(u"\\pages.prc"));
  const uint32_t target = view().GetLayout()->GetDocumentLength() / 2;
  EXPECT_EQ(Run("location.hash = '##pos" + std::to_string(target) + "';"), "undefined");
  ViewTextRange range;
  ASSERT_TRUE(view().GetPageRange(&range));
  EXPECT_LE(range.start, target + 16);
  EXPECT_GT(range.end, target);
  EXPECT_GT(view().GetCurrentPageNumber(), 1);
  EXPECT_EQ(Run("return location.href;"), "\\pages.prc");
  EXPECT_EQ(Run("return location.search;"), "");
}

TEST_F(ScriptHostBooksTest, ReplaceRecordsNoHistoryEntryWhereOpenRecordsOne) {
  ASSERT_TRUE(OpenPages(u"\\first.prc"));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\second.prc", viewtest::MarkupBook(viewtest::NumberedParagraphs(20))));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\third.prc", viewtest::MarkupBook(viewtest::NumberedParagraphs(20))));
  const uint32_t before = view().GetHistoryCount();
  Run("window.open('\\\\second.prc');");
  ASSERT_EQ(Run("return location.href;"), "\\second.prc");
  const uint32_t afterOpen = view().GetHistoryCount();
  EXPECT_EQ(afterOpen, before + 1);
  Run("location.replace('\\\\third.prc');");
  EXPECT_EQ(Run("return location.href;"), "\\third.prc");
  EXPECT_EQ(view().GetHistoryCount(), afterOpen) << "replace records no entry";
  EXPECT_EQ(view().GetHistoryRecording(), DocumentView::kRecordNormally);
  EXPECT_EQ(Run("return history.length;"), std::to_string(view().GetHistoryIndex()));
  EXPECT_TRUE(harness.application.Messages().empty());
}

}  // namespace
}  // namespace scripthost
