// Attribute values: each attribute's accepted texts and values, the
// saturation and clamping of numbers, the signed and relative forms, and
// the open-element record stack that keeps parsed and text values.
#include <gtest/gtest.h>

#include <string>

#include "layout/markup/attribute_value.h"
#include "layout/markup/element_record_stack.h"
#include "layout/markup/keyword_ids.h"
#include "layout/markup/markup_parser.h"
#include "tests/support/fake_document.h"

namespace {

struct Case {
  uint32_t attribute;
  const char16_t* text;
  bool ok;
  uint32_t value;
};

TEST(AttributeValue, ParsesEachAttributeAsListed) {
  const Case cases[] = {
      // Colours (0x00BBGGRR).
      {kMarkupColor, u"#F0A", true, 0x00AA00FF},
      {kMarkupColor, u"#FF00AA", true, 0x00AA00FF},
      {kMarkupBgcolor, u"Navy", true, 0x00800000},
      {kMarkupBordercolor, u"  aqua ", true, 0x00FFFF00},
      {kMarkupColor, u"#F0", false, 0},
      {kMarkupColor, u"F0A", false, 0},
      {kMarkupColor, u"#GGGGGG", false, 0},
      {kMarkupColor, u"left", false, 0},
      // Lengths.
      {kMarkupWidth, u"50%", true, 50 | kLengthPercent},
      {kMarkupHeight, u"2em", true, 2 | kLengthEm},
      {kMarkupWidth, u"2 EM", true, 2 | kLengthEm},
      {kMarkupWidth, u"12pt", true, 12},
      {kMarkupLeftmargin, u" 30 ", true, 30},
      {kMarkupWidth, u"99999999999", true, kMaxLengthNumber},
      {kMarkupWidth, u"268435456%", true, kMaxLengthNumber | kLengthPercent},
      {kMarkupWidth, u"12px", false, 0},
      {kMarkupWidth, u"%", false, 0},
      // Counts saturate instead of wrapping.
      {kMarkupColspan, u"3", true, 3},
      {kMarkupRowspan, u"4294967296", true, 0xFFFFFFFFu},
      {kMarkupBorder, u"-1", false, 0},
      {kMarkupBorder, u"", false, 0},
      // Relative numbers keep their sign, with bit 30 set.
      {kMarkupSize, u"+2", true, 2 | kValueRelative},
      {kMarkupSize, u"-1", true, 0xFFFFFFFFu},
      {kMarkupTabindex, u"3", true, 3},
      {kMarkupTabindex, u"-5", true, static_cast<uint32_t>(-5) | kValueRelative},
      {kMarkupSize, u"+99999999999", true, kMaxLengthNumber | kValueRelative},
      // File positions.
      {kMarkupFilepos, u"XXXXXXXX", true, 0xFFFFFFFFu},
      {kMarkupFilepos, u"", true, 0xFFFFFFFFu},
      {kMarkupFilepos, u"-200", true, static_cast<uint32_t>(-200)},
      {kMarkupFilepos, u"+16", true, 16 | kFilePositionRelative},
      {kMarkupFilepos, u"0001234", true, 1234},
      {kMarkupFilepos, u"9999999999", true, 0x7FFFFFFFu},
      {kMarkupFilepos, u"12a", false, 0},
      // Keyword choices.
      {kMarkupAlign, u"center", true, 3},
      {kMarkupAlign, u"POETRY", true, 5},
      {kMarkupAlign, u"char", false, 0},
      {kMarkupValign, u"absmiddle", true, 9},
      {kMarkupValign, u"Bottom", true, 2},
      {kMarkupQvrPageRole, u"bottom", true, 2},
      {kMarkupQvrPageRole, u"middle", false, 0},
      {kMarkupMethod, u"get", true, 1},
      {kMarkupMethod, u"post", true, 0},
      {kMarkupEnctype, u"x-www-form-urlencoded", true, 1},
      {kMarkupEnctype, u"application/x-www-form-urlencoded", true, 1},
      {kMarkupEncoding, u"multipart/form-data", true, 2},
      {kMarkupShape, u"poly", true, 0},
      {kMarkupShape, u"star", false, 0},
      {kMarkupInputRestrict, u"kata", true, kValueKata},
      // Flags and single characters.
      {kMarkupChecked, u"whatever", true, 1},
      {kMarkupInline, u"", true, 1},
      {kMarkupAccesskey, u"k", true, u'k'},
      {kMarkupAccesskey, u"kk", false, 0},
      // Languages: known or 0, always accepted.
      {kMarkupLang, u"EN-US", true, 0x0409},
      {kMarkupLang, u"xx-nothing", true, 0},
      // Text-valued and unlisted attributes have no parsed value.
      {kMarkupHref, u"x.html", false, 0},
      {kMarkupTitle, u"tip", false, 0},
  };
  for (const Case& c : cases) {
    uint32_t value = 0xDEADBEEF;
    std::u16string text(c.text);
    bool ok = ParseAttributeValue(c.attribute, text.data(), static_cast<uint32_t>(text.size()), &value);
    EXPECT_EQ(ok, c.ok) << c.attribute << " " << std::string(text.begin(), text.end());
    if (ok && c.ok) {
      EXPECT_EQ(value, c.value) << c.attribute << " " << std::string(text.begin(), text.end());
    } else {
      EXPECT_EQ(value, 0xDEADBEEF);  // written only on success
    }
  }
  // YES makes the attribute count, without a value.
  uint32_t value = 7;
  EXPECT_TRUE(ParseAttributeValue(kMarkupQvrAutoSubmit, u"yes", 3, &value));
  EXPECT_EQ(value, 7u);
  EXPECT_FALSE(ParseAttributeValue(kMarkupQvrPersistent, u"no", 2, &value));
}

TEST(AttributeValue, Helpers) {
  EXPECT_EQ(ColorTableIndex(0x00800000), 12);
  EXPECT_EQ(ColorTableIndex(0x00123456), -1);
  EXPECT_EQ(ColorOfIndex(3), 0x00FFFFFFu);
  EXPECT_EQ(ColorOfIndex(16), 0u);
  EXPECT_EQ(ColorOfIndex(-1), 0u);
  EXPECT_EQ(HexDigitValue(u'f'), 15);
  EXPECT_EQ(HexDigitValue(u'G'), -1);
  uint32_t n = 0;
  EXPECT_FALSE(ParseUnsignedDecimal(u"", 0, &n));
  EXPECT_FALSE(ParseUnsignedDecimal(u"1 2", 3, &n));
  EXPECT_TRUE(ParseUnsignedDecimal(u"00042", 5, &n));
  EXPECT_EQ(n, 42u);
  const WCHAR* text = u"\t x y\r\n";
  uint32_t length = 7;
  TrimMarkupSpace(&text, &length);
  EXPECT_EQ(std::u16string(text, length), u"x y");
}

// Pushes every tag of a body onto a record stack.
void PushAll(const std::string& body, ElementRecordStack* stack) {
  auto document = FakeDocument::FromUtf8("<html><body>" + body, 64);
  MarkupParser parser;
  parser.AttachSource(document.get(), 0);
  ASSERT_TRUE(parser.Restart(0, false));
  for (;;) {
    int32_t kind = parser.Next();
    if (kind == kElementEnd) break;
    if (kind == kElementTag) {
      ASSERT_TRUE(stack->Push(parser));
    }
  }
}

TEST(ElementRecordStack, KeepsParsedAndTextValues) {
  ElementRecordStack stack;
  PushAll("<div align=center><p width=50% bogus=1 href='a.html' color=nope title=t><b>x", &stack);
  ASSERT_EQ(stack.RecordCount(), 5u);  // HTML BODY DIV P B
  uint32_t b = stack.RecordAt(0);
  uint32_t p = stack.RecordAt(1);
  uint32_t div = stack.FindTag(kMarkupDiv);
  EXPECT_EQ(stack.Tag(b), static_cast<uint32_t>(kMarkupB));
  EXPECT_EQ(stack.Tag(p), static_cast<uint32_t>(kMarkupP));
  EXPECT_EQ(stack.PreviousRecord(p), div);
  EXPECT_EQ(stack.NextRecord(p), b);
  EXPECT_EQ(stack.NextRecord(b), ElementRecordStack::kNoRecord);
  EXPECT_EQ(stack.FindTagFrom(kMarkupB, p), ElementRecordStack::kNoRecord);
  EXPECT_EQ(stack.AttributeCount(p), 3u);  // the colour that fails is left out
  uint32_t value = 0;
  EXPECT_TRUE(stack.AttributeValue(p, kMarkupWidth, &value));
  EXPECT_EQ(value, 50 | kLengthPercent);
  EXPECT_FALSE(stack.AttributeValue(p, kMarkupColor, &value));
  SharedWideString text;
  ASSERT_TRUE(stack.AttributeText(p, kMarkupHref, &text));
  EXPECT_EQ(std::u16string(text.Chars(), text.length), u"a.html");
  ASSERT_TRUE(stack.AttributeText(p, kMarkupTitle, &text));
  EXPECT_FALSE(stack.AttributeText(p, kMarkupWidth, &text));
  EXPECT_TRUE(stack.AttributeValue(div, kMarkupAlign, &value));
  EXPECT_EQ(value, 3u);

  ElementRecordStack copy;
  ASSERT_TRUE(copy.CopyFrom(stack));
  stack.Pop();
  stack.Pop();
  EXPECT_EQ(stack.RecordCount(), 3u);
  EXPECT_EQ(stack.Tag(stack.RecordAt(0)), static_cast<uint32_t>(kMarkupDiv));
  EXPECT_EQ(copy.RecordCount(), 5u);
  ASSERT_TRUE(copy.AttributeText(copy.RecordAt(1), kMarkupHref, &text));
  EXPECT_EQ(std::u16string(text.Chars(), text.length), u"a.html");
}

TEST(ElementRecordStack, ClosingTagsPopAndEmptyStacksStayEmpty) {
  ElementRecordStack stack;
  PushAll("<div><p>x</p></div><br>", &stack);
  EXPECT_EQ(stack.RecordCount(), 2u);  // HTML BODY
  stack.Clear();
  EXPECT_TRUE(stack.IsEmpty());
  stack.Pop();
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_EQ(stack.RecordAt(0), ElementRecordStack::kNoRecord);
}

TEST(ElementRecordStack, AnElementWithManyAttributesKeepsTheFirstThatFit) {
  std::string tag = "<div";
  for (int i = 0; i < 300; ++i) tag += " id=n" + std::to_string(i);
  tag += ">";
  ElementRecordStack stack;
  PushAll(tag, &stack);
  uint32_t div = stack.RecordAt(0);
  EXPECT_EQ(stack.Tag(div), static_cast<uint32_t>(kMarkupDiv));
  EXPECT_EQ(stack.AttributeCount(div), 252u);  // 255 words less header, position and trailer
  SharedWideString text;
  ASSERT_TRUE(stack.AttributeText(div, kMarkupId, &text));
  EXPECT_EQ(std::u16string(text.Chars(), text.length), u"n0");
  stack.Pop();
  EXPECT_EQ(stack.Tag(stack.RecordAt(0)), static_cast<uint32_t>(kMarkupBody));
}

}  // namespace
