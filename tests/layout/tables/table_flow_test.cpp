// Tables laid out by the pager with the tag-to-layout builder: placed
// cells, a table cut across pages, and tables that fall back to lines.
#include <string>
#include <vector>

#include "layout/pages/page_item_builder.h"
#include "tests/layout/pages/pager_fixture.h"

namespace pagertest {
namespace {

struct PlacedCell {
  int32_t x, y, width, height, column, row;
};

class TableFlowTest : public PagerTest {
 protected:
  void SetUp() override {
    PagerTest::SetUp();
    realBuilder.settings.defaults = &defaults;
    realBuilder.settings.baseStyle = &base;
  }

  bool OpenTable(const std::string& body, int32_t width = 240, int32_t height = 320) {
    Close();
    document = RandomAccessDocument::FromUtf8("<html><body>" + body + "</body></html>");
    parser = std::make_unique<MarkupParser>();
    parser->AttachSource(document.get(), 0);
    context = std::make_unique<LayoutContext>();
    context->AttachParser(parser.get(), document.get(), &realBuilder);
    context->SetSurface(&surface);
    context->SetBaseStyle(10, 2, TextStyle{});
    context->SetPageRect(Rect{0, 0, width, height});
    return context->Start();
  }

  std::vector<TableItem> Tables() {
    std::vector<TableItem> out;
    LaidOutPage* page = context->GetCurrentPage();
    if (page == nullptr) return out;
    for (LayoutCursor at = LayoutCursor::Begin(&page->store); !at.AtEnd(); at.Next())
      if (at.KindAt() == kTableItem)
        out.push_back(*static_cast<TableItem*>(page->store.fixed[kTableItem].At(at.index[kTableItem])));
    return out;
  }
  std::vector<PlacedCell> Cells() {
    std::vector<PlacedCell> out;
    LaidOutPage* page = context->GetCurrentPage();
    if (page == nullptr) return out;
    for (LayoutCursor at = LayoutCursor::Begin(&page->store); !at.AtEnd(); at.Next()) {
      if (at.KindAt() != kTableCellItem) continue;
      const auto* c = static_cast<TableCellItem*>(page->store.fixed[kTableCellItem].At(at.index[kTableCellItem]));
      out.push_back({c->x, c->y, c->width, c->height, c->column, c->row});
    }
    return out;
  }
  // Every text of every page, paging forwards.
  std::u16string AllText(int* pages) {
    std::u16string text;
    *pages = 0;
    for (int i = 0; i < 1000; ++i) {
      text += PageText();
      ++*pages;
      if (!context->CanStep(kStepPage) || !context->StepPage(context->GetCurrentPosition(), kStepPage)) break;
    }
    return text;
  }

  DefaultStyle defaults;
  ElementStyle base;
  PageItemBuilder realBuilder;
};

TEST_F(TableFlowTest, CellsArePlacedSideBySide) {
  ASSERT_TRUE(OpenTable("<p>before</p><table><tr><td>one</td><td>two words</td></tr>"
                        "<tr><td>three</td><td>four</td></tr></table><p>after</p>"));
  const auto tables = Tables();
  ASSERT_EQ(tables.size(), 1u);
  const auto cells = Cells();
  ASSERT_EQ(cells.size(), 4u);
  EXPECT_GT(tables[0].width, 0);
  EXPECT_LE(tables[0].width, 240);
  EXPECT_GT(tables[0].y, 0);  // below "before"
  // Same columns in both rows; the second column right of the first.
  EXPECT_EQ(cells[0].x, cells[2].x);
  EXPECT_EQ(cells[1].x, cells[3].x);
  EXPECT_GE(cells[1].x, cells[0].x + cells[0].width);
  EXPECT_GT(cells[2].y, cells[0].y);
  EXPECT_EQ(cells[3].row, 1);
  EXPECT_EQ(PageText(), u"beforeonetwowordsthreefourafter");
}

TEST_F(TableFlowTest, TallTableContinuesWithTheSameColumns) {
  std::string rows;
  for (int i = 0; i < 60; ++i)
    rows += "<tr><td>row " + std::to_string(i) + "</td><td>" + std::string(i % 7 + 1, 'x') + "</td></tr>";
  ASSERT_TRUE(OpenTable("<table border=1>" + rows + "</table><p>end</p>"));
  const auto first = Cells();
  ASSERT_FALSE(first.empty());
  ASSERT_LT(first.size(), 120u);
  ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage));
  const auto second = Cells();
  ASSERT_FALSE(second.empty());
  // The next page starts with the first row that did not fit, inside the
  // same table, in the same columns.
  EXPECT_EQ(second[0].x, first[0].x);
  EXPECT_EQ(second[0].width, first[0].width);
  EXPECT_EQ(second[1].x, first[1].x);
  EXPECT_EQ(second[1].width, first[1].width);
  EXPECT_EQ(second[0].row, 0);
  EXPECT_EQ(Tables().size(), 1u);
  int pages = 0;
  ASSERT_TRUE(OpenTable("<table border=1>" + rows + "</table><p>end</p>"));
  const std::u16string text = AllText(&pages);
  EXPECT_GT(pages, 1);
  for (int i = 0; i < 60; ++i) {
    const std::string word = std::to_string(i);
    EXPECT_NE(text.find(u"row" + std::u16string(word.begin(), word.end())), std::u16string::npos) << i;
  }
  EXPECT_NE(text.find(u"end"), std::u16string::npos);
}

// A row taller than the page is shown cut at the page's end; the next row
// starts the next page.
TEST_F(TableFlowTest, RowTallerThanThePage) {
  std::string tall;
  for (int i = 0; i < 80; ++i) tall += "line" + std::to_string(i) + "<br>";
  ASSERT_TRUE(OpenTable("<table><tr><td>" + tall + "</td></tr><tr><td>second</td></tr></table>"));
  const auto tables = Tables();
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_GT(tables[0].height, 320);
  EXPECT_LE(tables[0].shownHeight, 320);
  EXPECT_EQ(Cells().size(), 1u);
  ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage));
  EXPECT_EQ(PageText(), u"second");
}

TEST_F(TableFlowTest, OverlappingSpansFallBackToLinesWithTheContentKept) {
  ASSERT_TRUE(OpenTable("<table><tr><td>a</td><td rowspan=2>b</td></tr><tr><td colspan=2>c</td></tr></table>"
                        "<p>d</p>"));
  EXPECT_TRUE(Tables().empty());
  EXPECT_EQ(PageText(), u"abcd");
}

TEST_F(TableFlowTest, HugeSpansFinish) {
  ASSERT_TRUE(OpenTable("<table><tr><td colspan=999999999 rowspan=999999999>a</td><td>b</td></tr>"
                        "<tr><td>c</td></tr></table><p>d</p>"));
  const auto tables = Tables();
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_EQ(PageText(), u"abcd");
}

// Whatever the markup leaves open or puts between cells, every word stays.
TEST_F(TableFlowTest, BadlyNestedMarkupKeepsEveryWord) {
  ASSERT_TRUE(OpenTable("<table><tr><td>out<table><tr><td>in</td><td>side</td></tr></table></td>"
                        "<td>next</td></tr>stray</table><table><tr><td>open"));
  EXPECT_FALSE(Tables().empty());
  EXPECT_EQ(PageText(), u"outinsidenextstrayopen");
}

}  // namespace
}  // namespace pagertest
