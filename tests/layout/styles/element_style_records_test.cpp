// The styles of a saved record stack are derived again identically.
#include "layout/styles/element_style_records.h"

#include <gtest/gtest.h>

#include "foundation/streams/byte_stream.h"
#include "layout/markup/keyword_ids.h"
#include "layout/styles/style_resolution.h"
#include "tests/layout/styles/tag_source.h"

namespace {

void ExpectSameStyle(const ElementStyle& a, const ElementStyle& b) {
  EXPECT_EQ(a.kind, b.kind);
  EXPECT_EQ(a.breakClass, b.breakClass);
  EXPECT_EQ(a.role, b.role);
  EXPECT_TRUE(SameBox(a, b));
  EXPECT_EQ(a.rowColor, b.rowColor);
  EXPECT_EQ(a.text.sizeStep, b.text.sizeStep);
  EXPECT_EQ(a.text.flags, b.text.flags);
  EXPECT_EQ(a.text.textColor, b.text.textColor);
  EXPECT_EQ(a.text.background, b.text.background);
  ASSERT_EQ(a.text.link.Get() == nullptr, b.text.link.Get() == nullptr);
  if (a.text.link.Get() != nullptr) {
    EXPECT_EQ(a.text.link->kind, b.text.link->kind);
    EXPECT_EQ(a.text.link->number, b.text.link->number);
    EXPECT_EQ(std::u16string(a.text.link->target.Chars(), a.text.link->target.length),
              std::u16string(b.text.link->target.Chars(), b.text.link->target.length));
  }
}

TEST(ElementStyleRecords, ReadBackDerivesTheSameStyles) {
  DefaultStyle defaults;
  ElementStyle base;
  ElementRecordStack stack;
  ElementStyleRecords styles;
  std::vector<TagSource> chain;
  chain.emplace_back(kMarkupBody, std::vector<std::pair<uint32_t, std::u16string>>{});
  chain.emplace_back(kMarkupUl, std::vector<std::pair<uint32_t, std::u16string>>{});
  chain.emplace_back(kMarkupDiv, std::vector<std::pair<uint32_t, std::u16string>>{{kMarkupBgcolor, u"#102030"}, {kMarkupBorder, u"2"}});
  chain.emplace_back(kMarkupA, std::vector<std::pair<uint32_t, std::u16string>>{{kMarkupHref, u"next.html"}});
  chain.emplace_back(kMarkupFont, std::vector<std::pair<uint32_t, std::u16string>>{{kMarkupSize, u"+2"}, {kMarkupColor, u"green"}});
  for (TagSource& tag : chain) {
    const ElementStyle& parent = styles.Count() == 0 ? base : styles.At(styles.Count() - 1);
    ElementStyle style;
    StyleChanges changes;
    ASSERT_TRUE(ApplyAttributeStyle(tag, defaults, parent, &style, &changes));
    ASSERT_TRUE(stack.Push(tag));
    ASSERT_TRUE(styles.Append(style));
  }
  ByteStream saved;
  ASSERT_TRUE(stack.Write(&saved));
  ElementRecordStack back;
  ElementStyleRecords backStyles;
  ASSERT_TRUE(ReadElementRecords(&saved, &back, &backStyles, defaults, base));
  ASSERT_EQ(backStyles.Count(), styles.Count());
  for (uint32_t i = 0; i < styles.Count(); ++i) {
    SCOPED_TRACE(i);
    ExpectSameStyle(backStyles.At(i), styles.At(i));
  }
}

}  // namespace

namespace {

TEST(ElementStyleRecordsCopy, CopiesShareLinksAndMovesEmptyTheSource) {
  ElementStyleRecords records;
  ElementStyle style;
  LinkAction* link = new LinkAction;
  style.text.link.Assign(link);
  ASSERT_TRUE(records.Append(style));
  ASSERT_TRUE(records.Append(ElementStyle{}));
  ElementStyleRecords copy;
  ASSERT_TRUE(copy.Append(style));
  ASSERT_TRUE(copy.Append(style));
  ASSERT_TRUE(copy.Append(style));
  ASSERT_TRUE(copy.CopyFrom(records));
  EXPECT_EQ(copy.Count(), 2u);
  EXPECT_EQ(link->GetReferenceCount(), 4);  // the creator, `style`, records[0], copy[0]
  ElementStyleRecords moved;
  moved.MoveFrom(copy);
  EXPECT_EQ(moved.Count(), 2u);
  EXPECT_EQ(copy.Count(), 0u);
  EXPECT_EQ(moved.At(0).text.link.Get(), link);
  moved.Clear();
  records.Clear();
  EXPECT_EQ(link->GetReferenceCount(), 2);
  style.text.link.Clear();
  link->Release();
}

}  // namespace
