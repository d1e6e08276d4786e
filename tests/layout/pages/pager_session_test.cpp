// What the pager keeps for the session around the pages: the side file's
// saved positions kept or reset by the document's stamp, the document's
// language in the base style, the next page laid out ahead, and scrolling
// to a line of a page.
#include <string>
#include <vector>

#include "layout/objects/inline_object.h"
#include "platform/files/files.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/layout/pages/pager_fixture.h"
#include "tests/support/fake_document_markup.h"

namespace pagertest {
namespace {

constexpr uint32_t kNone = 0xFFFFFFFFu;

// A context whose document has a stamp of its own (-1: none).
class StampedContext : public LayoutContext {
 public:
  explicit StampedContext(int32_t stamp) : stamp_(stamp) {}
  int32_t GetDocumentStamp() override { return stamp_; }

 private:
  int32_t stamp_;
};

class JapaneseDocument : public RandomAccessDocument {
 public:
  using RandomAccessDocument::RandomAccessDocument;
  uint32_t GetLanguage() override { return 0x0411; }
};

uint32_t CountMarks(BookParameterFile& file) {
  MarkIterator it;
  uint32_t n = 0;
  for (uint32_t mark = file.FirstBookmark(0, kNone, &it); mark != kNone; mark = file.NextBookmark(&it)) ++n;
  return n;
}

TEST(PagerAnnotations, SavedPositionsGoOnlyWhenTheSideFileIsOfAnotherDocument) {
  struct Case {
    const char* name;
    uint32_t stored;  // the side file's stamp
    int32_t own;      // the document's
    bool kept;
  };
  const Case cases[] = {
      {"same stamp", 0x12345678u, 0x12345678, true},
      {"stamp stored byte-swapped", 0x78563412u, 0x12345678, true},
      {"another document's stamp", 0x11111111u, 0x12345678, false},
      {"a document without a stamp, side file without one", kNone, -1, true},
      {"a document without a stamp, side file with one", 0x12345678u, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BookParameterFile file;
    EncodedString book;
    const std::u16string path = u"\\book" + std::u16string(1, static_cast<char16_t>(u'a' + (&c - cases))) + u".prc";
    book.FromWide(path.c_str());
    ASSERT_EQ(file.Create(book, "book", 4, false, true, false), RecordResult::kOk);
    if (c.stored != kNone) {
      ASSERT_EQ(file.SetDocumentStamp(c.stored), RecordResult::kOk);
    }
    ASSERT_NE(file.AddBookmark(100, 120, 0, 0, 0, 1), kNone);
    // Opened twice, as a book is opened again: a document without a stamp
    // must not look like another document the second time.
    for (int opening = 0; opening < 2; ++opening) {
      StampedContext context(c.own);
      context.AttachAnnotations(&file);
      EXPECT_EQ(CountMarks(file), c.kept ? 1u : 0u) << "opening " << opening;
      EXPECT_EQ(file.GetDocumentStamp(), c.kept ? c.stored : static_cast<uint32_t>(c.own));
    }
  }
}

TEST_F(PagerTest, StartTakesTheDocumentsOwnStamp) {
  document = RandomAccessDocument::FromUtf8("<html><body><p>text</p></body></html>");
  parser = std::make_unique<MarkupParser>();
  parser->AttachSource(document.get(), 0);
  context = std::make_unique<StampedContext>(0x2468);
  context->AttachParser(parser.get(), document.get(), &builder);
  context->SetSurface(&surface);
  context->SetBaseStyle(10, 2, TextStyle{});
  context->SetPageRect(Rect{0, 0, 240, 320});
  ASSERT_TRUE(context->Start());
  EXPECT_EQ(context->DocumentStamp(), 0x2468);
}

TEST_F(PagerTest, TheBaseStyleTakesTheDocumentsLanguage) {
  const std::string markup = "<html><body><p>text</p></body></html>";
  ASSERT_TRUE(Open(markup));
  EXPECT_EQ(context->BaseStyle().language, 0x0409);
  Close();
  auto decoded = FakeDocument::FromUtf8(markup, 4096);
  document = std::make_unique<JapaneseDocument>(decoded->text(), 4096);
  ASSERT_TRUE(OpenDocument());
  EXPECT_EQ(context->BaseStyle().language, 0x0411);
}

class SessionBook : public PagerTest {
 protected:
  void SetUp() override {
    PagerTest::SetUp();
    ASSERT_TRUE(Open(GenerateMarkupBook(91, 60000)));
  }
};

TEST_F(SessionBook, TheNextPageIsLaidOutAheadBesideTheCurrentOne) {
  EXPECT_FALSE(context->PrepareNextPage());  // nothing is known past page 1 yet
  ASSERT_NE(context->GetCurrentPage(), nullptr);
  const uint32_t first = context->GetCurrentPosition();
  const std::u16string firstText = PageText();
  ASSERT_TRUE(context->PrepareNextPage());
  const uint32_t next = context->GetPagePosition(kStepPage);
  ASSERT_NE(next, kNoPosition);
  LaidOutPage* ahead = context->FindPageBuffer(next);
  ASSERT_NE(ahead, nullptr);
  EXPECT_TRUE(ahead->HoldsContent());
  // The current page kept its buffer.
  LaidOutPage* shown = context->FindPageBuffer(first);
  ASSERT_NE(shown, nullptr);
  EXPECT_TRUE(shown->HoldsContent());
  EXPECT_EQ(PageText(), firstText);
  // The step lands on the page laid out ahead.
  ASSERT_TRUE(context->StepPage(first, kStepPage));
  EXPECT_EQ(context->GetCurrentPosition(), next);
  EXPECT_EQ(context->GetCurrentPage(), ahead);
}

TEST_F(SessionBook, ScrollingToALineMovesOnFromThePageAsked) {
  // Page starts, walked once.
  std::vector<uint32_t> starts;
  for (int guard = 0; guard < 1000; ++guard) {
    starts.push_back(context->GetCurrentPosition());
    ASSERT_NE(context->GetCurrentPage(), nullptr);
    if (!context->StepPage(context->GetCurrentPosition(), kStepPage)) break;
  }
  ASSERT_GT(starts.size(), 6u);
  struct Case {
    int32_t offset;
    int32_t step;
    size_t expected;  // index of the page reached from page 1
  };
  // Whether the line lies at the page's top (no later line), in its
  // middle or below every line, the page after the one asked is reached.
  const Case cases[] = {{0, 0, 1}, {150, 0, 1}, {100000, 0, 1}, {150, 2, 3}, {0, 3, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "offset " << c.offset << " step " << c.step);
    ASSERT_TRUE(context->GoToPage(1));
    ASSERT_TRUE(context->ScrollToLine(c.offset, c.step));
    EXPECT_EQ(context->GetCurrentPosition(), starts[c.expected]);
  }
  // From the last page there is nowhere to scroll: the page stays.
  ASSERT_TRUE(context->GoToPosition(starts.back()));
  const uint32_t last = context->GetCurrentPosition();
  EXPECT_FALSE(context->ScrollToLine(0, 0));
  EXPECT_EQ(context->GetCurrentPosition(), last);
}

}  // namespace
}  // namespace pagertest

namespace pagertest {
namespace {

TEST_F(PagerTest, StartLoadsTheScrollMarkPictures) {
  ASSERT_TRUE(Open("<html><body><p>text</p></body></html>"));
  EXPECT_TRUE(context->HasScrollMarkPictures());
  Size size;
  bool scalable = false;
  bool second = false;
  for (uint32_t i = 0; i < LayoutContext::kScrollMarkCount; ++i) {
    ASSERT_NE(context->ScrollMarkPicture(i), nullptr);
    EXPECT_TRUE(context->ScrollMarkPicture(i)->GetSize(&size, &scalable, &second));
    EXPECT_GT(size.width, 0);
  }
  EXPECT_EQ(context->ScrollMarkPicture(LayoutContext::kScrollMarkCount), nullptr);
}

// A frame's wide-table scroll states go with it when it is copied or
// moved, and a reset frame keeps none.
TEST(PageFrameTableScrolls, KeptByCopyAndMoveAndDroppedByReset) {
  PageFrame frame;
  for (uint32_t table = 0; table < 40; ++table) {  // more than one block
    TableScrollState* state = frame.EnsureTableScroll(1000 + table);
    ASSERT_NE(state, nullptr);
    state->offsetX = static_cast<int32_t>(table);
  }
  EXPECT_EQ(frame.EnsureTableScroll(1005)->offsetX, 5);  // found, not added
  EXPECT_EQ(frame.tableScrolls.count, 40u);
  frame.FindTableScroll(1007)->offsetY = 9;
  frame.ResetTableScrolls();
  EXPECT_EQ(frame.FindTableScroll(1007)->dragBaseX, 7);
  EXPECT_EQ(frame.FindTableScroll(1007)->dragBaseY, 9);
  EXPECT_EQ(frame.FindTableScroll(999), nullptr);

  PageFrame copy;
  ASSERT_TRUE(copy.CopyFrom(frame));
  ASSERT_NE(copy.FindTableScroll(1039), nullptr);
  EXPECT_EQ(copy.FindTableScroll(1039)->offsetX, 39);
  PageFrame moved;
  moved.MoveFrom(copy);
  EXPECT_EQ(moved.tableScrolls.count, 40u);
  EXPECT_EQ(copy.tableScrolls.count, 0u);
  moved.Reset();
  EXPECT_EQ(moved.FindTableScroll(1000), nullptr);
  EXPECT_EQ(frame.tableScrolls.count, 40u);
}

}  // namespace
}  // namespace pagertest
