// The vertical extent of a line from its fonts and objects, and objects
// placed on a line.
#include "layout/lines/line_boxes.h"
#include "tests/layout/lines/line_fixture.h"

namespace linetest {
namespace {

struct MetricsCase {
  const char* name;
  int32_t fontAscent, fontDescent;
  bool text;
  int32_t valign, itemHeight, itemDescent, spacing;
  int32_t lineSpacing;
  int32_t height, baseline;
};

TEST(LineMetrics, FinishGivesHeightAndBaseline) {
  const MetricsCase cases[] = {
      {"text only", 10, 3, true, -1, 0, 0, 0, 0, 13, 10},
      {"a TOP picture taller than the text", 10, 3, true, kAlignTop, 40, 0, 0, 0, 40, 10},
      {"an ABSBOTTOM picture", 10, 3, true, kAlignAbsBottom, 40, 0, 0, 0, 40, 37},
      {"an ABSMIDDLE picture", 10, 3, true, kAlignAbsMiddle, 40, 0, 0, 0, 40, 10 + (40 - 3 - 10) / 2},
      {"a baseline picture with spacing", 10, 3, true, kAlignBaseline, 20, 4, 2, 0, 20 - 4 + 2 + 4 + 2, 18},
      {"a MIDDLE picture", 10, 3, true, kAlignMiddle, 30, 0, 0, 0, 18 + 12, 18},
      {"a picture alone: no font, no leading", 10, 3, false, kAlignBaseline, 20, 0, 0, 4, 20, 20},
      {"leading: a quarter of 13 times 4", 10, 3, true, -1, 0, 0, 0, 4, 26, 10 + 7},
  };
  for (const MetricsCase& c : cases) {
    LineMetrics m;
    m.spacing = c.lineSpacing;
    m.Include(c.fontAscent, c.fontDescent);
    if (c.text) m.flags |= LineMetrics::kVisibleText;
    if (c.valign >= 0) m.AddItem(c.valign, c.itemHeight, c.itemDescent, c.spacing);
    m.Finish();
    EXPECT_EQ(m.height, c.height) << c.name;
    EXPECT_EQ(m.baseline, c.baseline) << c.name;
    EXPECT_TRUE(m.flags & LineMetrics::kFinished) << c.name;
  }
}

TEST_F(LineTest, APictureWiderThanTheColumnIsScaledToIt) {
  LayoutObject picture;
  picture.words[kObjectWidth] = MakeStyleLength(300, 0);
  picture.words[kObjectHeight] = MakeStyleLength(150, 0);
  picture.words[kObjectHSpace] = 5;
  picture.words[kObjectAlignment] = kAlignBaseline;
  picture.flags = kObjectFit | kObjectKeepAspect;
  ASSERT_TRUE(store.AppendKind9(picture, 0, false));
  Fill(u" aa");
  const std::vector<Line> lines = LayOutAll(110);
  ASSERT_EQ(lines.size(), 2u);  // the picture fills its line; the text follows
  LayoutCursor at = LayoutCursor::Begin(&store);
  while (at.KindAt() != kObjectItem) at.Next();
  EXPECT_EQ(ObjectAt(at)->words[kObjectPlacedWidth], 100);
  EXPECT_EQ(ObjectAt(at)->words[kObjectPlacedHeight], 50);
  EXPECT_EQ(lines[0].record.height, 50);
  EXPECT_EQ(lines[1].text, u"aa");
}

}  // namespace
}  // namespace linetest
