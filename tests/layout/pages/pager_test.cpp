// The pager over generated books: paging forwards to the end loses and
// repeats no word, paging back reaches the first page a page at a time,
// page numbers, the frame cache, columns and margins.
#include <set>
#include <vector>

#include "tests/layout/pages/pager_fixture.h"
#include "tests/support/fake_document_markup.h"

namespace pagertest {
namespace {

struct Walk {
  std::u16string text;
  std::vector<uint32_t> starts;
  std::vector<int32_t> numbers;
};

Walk PageForwards(PagerTest& test, LayoutContext& context) {
  Walk walk;
  for (int guard = 0; guard < 100000; ++guard) {
    walk.starts.push_back(context.GetCurrentPosition());
    walk.numbers.push_back(context.GetCurrentPageNumber());
    walk.text += test.PageText();
    if (!context.StepPage(context.GetCurrentPosition(), kStepPage)) break;
  }
  return walk;
}

class GeneratedBook : public PagerTest {
 protected:
  void SetUp() override {
    PagerTest::SetUp();
    ASSERT_TRUE(Open(GenerateMarkupBook(77, 200000)));
  }
};

TEST_F(GeneratedBook, PagingForwardsNeitherLosesNorRepeatsText) {
  const Walk walk = PageForwards(*this, *context);
  ASSERT_GT(walk.starts.size(), 20u);
  EXPECT_EQ(walk.text, DocumentText());
  for (size_t i = 0; i < walk.numbers.size(); ++i) {
    EXPECT_EQ(walk.numbers[i], static_cast<int32_t>(i + 1));
    if (i > 0) {
      EXPECT_GT(walk.starts[i], walk.starts[i - 1]);
    }
  }
  // The end was reached: the count is known exactly.
  EXPECT_EQ(context->GetPageCount(), static_cast<int32_t>(walk.numbers.size()));
  EXPECT_LE(context->CachedFrameCount(), LayoutContext::kMaxCachedFrames);
}

TEST_F(GeneratedBook, PagingBackFromTheLastPageReachesTheFirst) {
  const Walk forwards = PageForwards(*this, *context);
  const size_t pages = forwards.starts.size();
  const int32_t perPage = static_cast<int32_t>((forwards.starts.back() - forwards.starts.front()) / (pages - 1));
  size_t steps = 0;
  uint32_t start = context->GetCurrentPosition();
  while (context->GetCurrentPageNumber() != 1 && steps < 2 * pages) {
    ASSERT_TRUE(context->StepPage(start, kStepPageBack)) << "step " << steps;
    const uint32_t back = context->GetCurrentPosition();
    ASSERT_LT(back, start);
    // The page found ends near the start of the page it was reached from.
    ASSERT_NE(context->GetCurrentPage(), nullptr);
    const int32_t length = context->GetCurrentPageLength();
    ASSERT_GT(length, 0);
    EXPECT_LT(static_cast<int64_t>(start) - (back + length), perPage / 2) << "step " << steps;
    EXPECT_GT(static_cast<int64_t>(back) + length, static_cast<int64_t>(start) - perPage / 2) << "step " << steps;
    start = back;
    ++steps;
  }
  EXPECT_EQ(context->GetCurrentPageNumber(), 1);
  EXPECT_EQ(context->GetCurrentPosition(), context->GetFirstPagePosition());
  EXPECT_GT(steps, pages * 2 / 3);
  EXPECT_LT(steps, pages * 3 / 2);
  EXPECT_FALSE(context->StepPage(context->GetCurrentPosition(), kStepPageBack));  // not before the first page
}

TEST_F(GeneratedBook, GoToPageLandsOnThePageAsked) {
  for (uint32_t k : {1u, 0u, 7u, 40u, 3u}) {
    ASSERT_TRUE(context->GoToPage(k)) << k;
    EXPECT_EQ(context->GetCurrentPageNumber(), static_cast<int32_t>(k < 1 ? 1 : k)) << k;
    EXPECT_FALSE(PageText().empty()) << k;
  }
  // Page 3 starts where its estimate lands, moved on to the next element.
  EXPECT_GE(context->GetCurrentPosition(), context->EstimatePagePosition(3));
  EXPECT_LT(context->GetCurrentPosition(), context->EstimatePagePosition(3) + 200);
  // With the count not known, all ones finds the last page from the end.
  ASSERT_EQ(context->LastPage().number, -1);
  ASSERT_TRUE(context->GoToPage(0xFFFFFFFFu));
  EXPECT_FALSE(context->StepPage(context->GetCurrentPosition(), kStepPage));
  EXPECT_FALSE(PageText().empty());
}

TEST_F(GeneratedBook, TheFrameCacheReplacesItsLeastRecentlyUsedFrame) {
  std::vector<uint32_t> starts;
  for (int i = 0; i < 12; ++i) {
    starts.push_back(context->GetCurrentPosition());
    ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage));
  }
  EXPECT_EQ(context->CachedFrameCount(), LayoutContext::kMaxCachedFrames);
  std::set<uint32_t> cached;
  for (uint32_t i = 0; i < context->CachedFrameCount(); ++i) cached.insert(context->CachedFrame(i)->start);
  EXPECT_EQ(cached.size(), LayoutContext::kMaxCachedFrames);  // no page twice
  EXPECT_EQ(cached.count(starts[2]), 0u);                     // the oldest went first
  EXPECT_EQ(cached.count(starts[11]), 1u);
  // Going back over known pages lays nothing out and keeps the count.
  ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPageBack));
  EXPECT_EQ(context->GetCurrentPosition(), starts[11]);
  EXPECT_EQ(context->CachedFrameCount(), LayoutContext::kMaxCachedFrames);
}

TEST_F(PagerTest, EstimatesCountPagesFromTheFirstPageStart) {
  ASSERT_TRUE(Open("<html><body>" + std::string(5000, 'a') + "</body></html>"));
  // 2 x 240 / 10 characters a line, 320 / 10 lines.
  const int32_t cpp = context->EstimateCharsPerPage();
  EXPECT_EQ(cpp, 48 * 32);
  const uint32_t first = context->GetFirstPagePosition();
  EXPECT_EQ(first, 12u);
  struct Case {
    uint32_t position;
    int32_t page;
  };
  for (const Case& c : {Case{0, 1}, Case{first, 1}, Case{first + 1, 2}, Case{first + cpp, 2},
                        Case{first + 2 * cpp - 1, 2}, Case{first + 2 * cpp, 3}, Case{first + 5 * cpp, 6}}) {
    EXPECT_EQ(context->EstimatePageNumber(c.position), c.page) << c.position;
  }
  EXPECT_EQ(context->EstimatePagePosition(3), first + 2 * cpp);
  // A base size of 0 or below is kept at 1: no division by zero.
  context->SetBaseStyle(0, 2, TextStyle{});
  EXPECT_EQ(context->BaseFontSize(), 1);
  context->SetBaseStyle(-20, 2, TextStyle{});
  EXPECT_GT(context->EstimateCharsPerPage(), 0);
}

TEST_F(PagerTest, ColumnsAndMarginsComeFromBody) {
  ASSERT_TRUE(Open("<html><body topmargin=10 leftmargin=20 rightmargin=12 bottommargin=6>text</body></html>"));
  Rect content;
  context->GetContentRect(&content);
  EXPECT_EQ(content.x, 20);
  EXPECT_EQ(content.y, 10);
  EXPECT_EQ(content.width, 240 - 32);
  EXPECT_EQ(content.height, 320 - 16);
  struct Case {
    int32_t asked;
    uint32_t count;
  };
  for (const Case& c : {Case{0, 1}, Case{-3, 1}, Case{2, 2}, Case{9, 4}}) {
    context->SetColumnCount(c.asked);
    context->Relayout();
    EXPECT_EQ(context->ColumnCount(), c.count) << c.asked;
  }
  context->SetColumnCount(2);
  context->Relayout();
  // The gap is the larger of the base size and half the side margins: 16.
  const int32_t width = (208 - 16) / 2;
  EXPECT_EQ(context->Column(0).width, width);
  EXPECT_EQ(context->Column(1).x, 20 + width + 16);
  Rect found;
  EXPECT_EQ(context->FindColumn(Point{20 + width + 20, 50}, &found), 1);
  EXPECT_EQ(context->FindColumn(Point{2, 50}, &found), -1);
  // Text flows through both columns of a page.
  std::string words;
  for (int i = 0; i < 400; ++i) words += "word ";
  ASSERT_TRUE(Open("<html><body>" + words + "</body></html>", 240, 100, 2));
  LaidOutPage* page = context->GetCurrentPage();
  ASSERT_NE(page, nullptr);
  bool second = false;
  for (LayoutCursor at = LayoutCursor::Begin(&page->store); !at.AtEnd(); at.Next())
    if (at.KindAt() == kLineItem && LineAt(at)->x >= context->Column(1).x) second = true;
  EXPECT_TRUE(second);
}

TEST_F(PagerTest, TheFirstPageIsFoundHoweverLongTheHead) {
  std::string head = "<html><head>";
  for (int i = 0; i < 300; ++i) head += "<meta name=x content=y>t ";
  EXPECT_TRUE(Open(head + "</head><body>text</body></html>"));
  EXPECT_EQ(PageText(), u"text");
  // No BODY at all: the page starts with the document.
  EXPECT_TRUE(Open("just text"));
  EXPECT_EQ(PageText(), u"justtext");
  // Nothing to show: no first page.
  EXPECT_FALSE(Open("<html><head></head></html>"));
}

// A document whose length is not known yet (a script page still writing).
class GrowingDocument : public RandomAccessDocument {
 public:
  using RandomAccessDocument::RandomAccessDocument;
  uint32_t GetTextLength() override { return 0xFFFFFFFFu; }
};

TEST_F(PagerTest, AnUnknownLengthCountsOnlyThePagesKnown) {
  std::string words;
  for (int i = 0; i < 3000; ++i) words += "word ";
  const std::string markup = "<html><body>" + words + "</body></html>";
  Close();
  document = std::make_unique<GrowingDocument>(std::u16string(markup.begin(), markup.end()));
  ASSERT_TRUE(OpenDocument());
  EXPECT_EQ(context->GetPageCount(), 1);
  ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage));
  ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage));
  EXPECT_EQ(context->GetPageCount(), 3);
}

// A builder that fails from its n-th element on, as lack of memory would.
class FailingBuilder : public MarkupItemBuilder {
 public:
  bool ReadLayoutItems(LayoutContext* context, FlowPair* pair, uint32_t position) override {
    if (failFrom != 0 && ++calls >= failFrom) return false;
    return MarkupItemBuilder::ReadLayoutItems(context, pair, position);
  }
  uint32_t failFrom = 0;
  uint32_t calls = 0;
};

TEST_F(PagerTest, AStepWhoseBuildFailsIsNotReportedDone) {
  std::string words;
  for (int i = 0; i < 3000; ++i) words += "word ";
  Close();
  document = RandomAccessDocument::FromUtf8("<html><body>" + words + "</body></html>");
  FailingBuilder failing;
  parser = std::make_unique<MarkupParser>();
  parser->AttachSource(document.get(), 0);
  context = std::make_unique<LayoutContext>();
  context->AttachParser(parser.get(), document.get(), &failing);
  context->SetSurface(&surface);
  context->SetBaseStyle(10, 2, TextStyle{});
  context->SetPageRect(Rect{0, 0, 240, 320});
  ASSERT_TRUE(context->Start());
  failing.failFrom = 1;
  const uint32_t start = context->GetCurrentPosition();
  EXPECT_FALSE(context->StepPage(start, kStepPage));
  EXPECT_EQ(context->GetCurrentPosition(), start);
  // A column lower than a pixel: the backward search answers at once.
  context->SetPageRect(Rect{0, 0, 240, 0});
  context->Relayout();
  PageFrame target;
  target.start = 500;
  PageFrame* found = nullptr;
  EXPECT_FALSE(context->FindPreviousPage(target, &found));
}

}  // namespace
}  // namespace pagertest

namespace pagertest {
namespace {

TEST_F(GeneratedBook, LineStepsMoveOneLineEitherWay) {
  const uint32_t first = context->GetCurrentPosition();
  ASSERT_TRUE(context->StepPage(first, kStepLine));
  const uint32_t second = context->GetCurrentPosition();
  EXPECT_GT(second, first);
  EXPECT_EQ(context->GetCurrentPageNumber(), 2);  // page 1 moved by a line
  ASSERT_TRUE(context->StepPage(second, kStepLineBack));
  EXPECT_EQ(context->GetCurrentPosition(), first);
  // Deep in the book: the line before a page start ends at that start.
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage));
  const uint32_t page = context->GetCurrentPosition();
  ASSERT_TRUE(context->StepPage(page, kStepLineBack));
  const uint32_t before = context->GetCurrentPosition();
  EXPECT_LT(before, page);
  ASSERT_TRUE(context->StepPage(before, kStepLine));
  EXPECT_EQ(context->GetCurrentPosition(), page);
  ASSERT_TRUE(context->StepPage(page, kStepLine3));
  EXPECT_GT(context->GetCurrentPosition(), page);
}

TEST_F(PagerTest, ADocumentReadOnlyFromItsStartPagesAlike) {
  plain = true;
  ASSERT_TRUE(Open(GenerateMarkupBook(5, 40000)));
  const Walk walk = PageForwards(*this, *context);
  EXPECT_EQ(walk.text, DocumentText());
  ASSERT_TRUE(context->GoToPage(4));
  EXPECT_EQ(context->GetCurrentPageNumber(), 4);
  const uint32_t fourth = context->GetCurrentPosition();
  EXPECT_FALSE(PageText().empty());
  ASSERT_TRUE(context->StepPage(fourth, kStepPageBack));
  EXPECT_LT(context->GetCurrentPosition(), fourth);
}

}  // namespace
}  // namespace pagertest

namespace pagertest {
namespace {

struct CountingSink : RedrawSink {
  void Started() override { ++started; }
  void PageChanged() override { ++changed; }
  void PageShown(bool before) override { shownBefore += before ? 1 : 0; }
  void PageHiding() override { ++hiding; }
  int started = 0, changed = 0, shownBefore = 0, hiding = 0;
};

TEST_F(GeneratedBook, TheSinkHearsOfChangesAndFailedStepsShowThePageAgain) {
  CountingSink sink;
  context->SetRedrawSink(&sink);
  ASSERT_NE(context->GetCurrentPage(), nullptr);
  context->SetPageState(context->GetCurrentPosition(), 1);
  ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage));
  EXPECT_EQ(sink.changed, 1);
  EXPECT_EQ(sink.hiding, 1);
  ASSERT_TRUE(context->GoToPage(1));
  ASSERT_NE(context->GetCurrentPage(), nullptr);
  context->SetPageState(context->GetCurrentPosition(), 1);
  EXPECT_FALSE(context->StepPage(context->GetCurrentPosition(), kStepPageBack));
  EXPECT_EQ(sink.changed, 2);
  // Page 1 was hidden for the step to page 2, shown again, then hidden for
  // the step back and shown again when it failed (page 2, never laid out,
  // had nothing to hide).
  EXPECT_EQ(sink.shownBefore, 2);
  EXPECT_EQ(sink.hiding, 2);
}

TEST_F(GeneratedBook, AdvancingToAPositionPagesUntilItIsShown) {
  const uint32_t target = 60000;
  ASSERT_TRUE(context->AdvanceToPosition(target, target + 10));
  const LaidOutPage* page = context->GetCurrentPage();
  ASSERT_NE(page, nullptr);
  const uint32_t start = context->GetCurrentPosition();
  EXPECT_LE(start, target);
  EXPECT_GT(start + static_cast<uint32_t>(context->GetCurrentPageLength()), target);
  int32_t reset = -1;
  context->KeepOnlyFrame(start, &reset);
  EXPECT_EQ(reset, 0);
  EXPECT_EQ(context->CachedFrameCount(), 1u);
  EXPECT_EQ(context->GetCurrentPosition(), start);
}

}  // namespace
}  // namespace pagertest
