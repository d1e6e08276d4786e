// The horizontal rule's size, colours and span, and the log mark that logs
// on every draw.
#include <gtest/gtest.h>

#include <vector>

#include "layout/objects/horizontal_rule.h"
#include "layout/objects/log_mark.h"

namespace {

TEST(HorizontalRule, DefaultsAndSpan) {
  auto* rule = new HorizontalRule;
  Size size;
  bool scalable = false, second = true;
  ASSERT_TRUE(rule->GetSize(&size, &scalable, &second));
  EXPECT_EQ(size.width, 0x0FFFFFFF);
  EXPECT_EQ(size.height, 4);
  EXPECT_TRUE(scalable);
  EXPECT_FALSE(second);
  EXPECT_EQ(rule->GetColor(), Color::FromRgb(128, 128, 128));
  EXPECT_EQ(rule->GetShade(), Color::FromRgb(64, 64, 64));
  rule->SetColor(Color::FromRgb(0xFF, 0x81, 0x10));
  EXPECT_EQ(rule->GetShade(), Color::FromRgb(0x7F, 0x40, 0x08));
  rule->SetWidth(MakeStyleLength(50, kStyleLengthPercent));
  int32_t start = 0, length = 0;
  rule->Span(201, &start, &length);
  EXPECT_EQ(length, 100);
  EXPECT_EQ(start, 50);
  rule->SetWidth(MakeStyleLength(0x0FFFFFFF, 0));
  rule->Span(100, &start, &length);
  EXPECT_EQ(length, 100) << "never wider than the box";
  EXPECT_EQ(start, 0);
  rule->Release();
}

class RecordingLog : public OfflineLog {
 public:
  void Append(const SharedWideString& text) override { entries.emplace_back(text.Chars(), text.length); }
  std::vector<std::u16string> entries;
};

TEST(LogMark, LogsOnEveryDrawAndTakesNoRoom) {
  RecordingLog log;
  SharedWideString text;
  ASSERT_TRUE(text.FromChars(u"chapter-1", 9));
  auto* mark = new LogMark(text, &log);
  Size size{5, 5};
  bool scalable = true, second = true;
  EXPECT_TRUE(mark->GetSize(&size, &scalable, &second));
  EXPECT_EQ(size.width, 0);
  EXPECT_EQ(size.height, 0);
  EXPECT_FALSE(scalable);
  EXPECT_FALSE(second);
  mark->Draw(nullptr, Rect{}, nullptr);
  mark->Draw(nullptr, Rect{}, nullptr);
  EXPECT_EQ(log.entries, (std::vector<std::u16string>{u"chapter-1", u"chapter-1"}));
  mark->Release();
}

}  // namespace
