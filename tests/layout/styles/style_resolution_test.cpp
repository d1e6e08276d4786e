// Style resolution as a table of cases: each applies a chain of tags, from
// the outermost, to the default style and checks the innermost style.
#include "layout/styles/style_resolution.h"

#include <gtest/gtest.h>

#include <functional>

#include "layout/markup/keyword_ids.h"
#include "layout/styles/style_length.h"
#include "tests/layout/styles/tag_source.h"

namespace {

struct Tag {
  uint32_t id;
  std::vector<std::pair<uint32_t, std::u16string>> attributes;
};

struct StyleCase {
  const char* name;
  std::vector<Tag> chain;
  std::function<void(const ElementStyle&, const ElementStyle& parent)> check;
};

DefaultStyle Defaults() {
  DefaultStyle defaults;
  defaults.text.textColor = Color::FromRgb(0, 0, 0);
  defaults.linkColor = Color::FromRgb(0, 0, 0xFF);
  defaults.lengths[1] = kStyleLengthUnset;
  return defaults;
}

ElementStyle Resolve(const std::vector<Tag>& chain, const DefaultStyle& defaults, ElementStyle* parentOut) {
  ElementStyle style;
  style.text = defaults.text;
  ElementStyle parent = style;
  for (const Tag& tag : chain) {
    TagSource source(tag.id, tag.attributes);
    ElementStyle next;
    StyleChanges changes;
    EXPECT_TRUE(ApplyAttributeStyle(source, defaults, style, &next, &changes));
    parent = style;
    style = next;
  }
  *parentOut = parent;
  return style;
}

const Color kRed = Color::FromRgb(0xFF, 0, 0);

const StyleCase kCases[] = {
    {"FONT SIZE=3 is step 0", {{kMarkupFont, {{kMarkupSize, u"3"}}}},
     [](const ElementStyle& s, const ElementStyle&) { EXPECT_EQ(s.text.sizeStep, 0); }},
    {"FONT SIZE=7 is the step of H1", {{kMarkupFont, {{kMarkupSize, u"7"}}}},
     [](const ElementStyle& s, const ElementStyle&) { EXPECT_EQ(s.text.sizeStep, 8); }},
    {"FONT SIZE=+1 adds 2", {{kMarkupBig, {}}, {kMarkupFont, {{kMarkupSize, u"+1"}}}},
     [](const ElementStyle& s, const ElementStyle&) { EXPECT_EQ(s.text.sizeStep, 4); }},
    {"FONT SIZE=9 is ignored", {{kMarkupBig, {}}, {kMarkupFont, {{kMarkupSize, u"9"}}}},
     [](const ElementStyle& s, const ElementStyle&) { EXPECT_EQ(s.text.sizeStep, 2); }},
    {"BIG inside H1", {{kMarkupH1, {}}, {kMarkupBig, {}}},
     [](const ElementStyle& s, const ElementStyle&) { EXPECT_EQ(s.text.sizeStep, 10); }},
    {"SMALL inside SMALL", {{kMarkupSmall, {}}, {kMarkupSmall, {}}},
     [](const ElementStyle& s, const ElementStyle&) { EXPECT_EQ(s.text.sizeStep, -4); }},
    {"BLOCKQUOTE inside UL indents by two font sizes", {{kMarkupUl, {}}, {kMarkupBlockquote, {}}},
     [](const ElementStyle& s, const ElementStyle&) {
       EXPECT_EQ(s.lengths[0], MakeStyleLength(2, kStyleLengthEm));
       EXPECT_EQ(s.kind, kStyleBlock);
     }},
    {"UL's marker", {{kMarkupUl, {}}}, [](const ElementStyle& s, const ElementStyle&) { EXPECT_EQ(s.marker, 1 | (4 << 2)); }},
    {"A with HREF takes the link colour and underline", {{kMarkupA, {{kMarkupHref, u"x.html"}}}},
     [](const ElementStyle& s, const ElementStyle&) {
       ASSERT_NE(s.text.link.Get(), nullptr);
       EXPECT_EQ(s.text.link->kind, LinkAction::kAddress);
       EXPECT_EQ(s.text.textColor, Color::FromRgb(0, 0, 0xFF));
       EXPECT_TRUE(s.text.flags & TextStyle::kUnderline);
     }},
    {"A with COLOR keeps it", {{kMarkupA, {{kMarkupHref, u"x"}, {kMarkupColor, u"red"}}}},
     [](const ElementStyle& s, const ElementStyle&) { EXPECT_EQ(s.text.textColor, kRed); }},
    {"A with QVR:NU is not underlined", {{kMarkupA, {{kMarkupHref, u"x"}, {kMarkupQvrNu, u""}}}},
     [](const ElementStyle& s, const ElementStyle&) { EXPECT_FALSE(s.text.flags & TextStyle::kUnderline); }},
    {"A without a link inherits the colour", {{kMarkupFont, {{kMarkupColor, u"red"}}}, {kMarkupA, {{kMarkupName, u"n"}}}},
     [](const ElementStyle& s, const ElementStyle&) {
       EXPECT_EQ(s.text.link.Get(), nullptr);
       EXPECT_EQ(s.text.textColor, kRed);
     }},
    {"H1 and P inherit the colour", {{kMarkupFont, {{kMarkupColor, u"red"}}}, {kMarkupH1, {}}, {kMarkupP, {}}},
     [](const ElementStyle& s, const ElementStyle&) { EXPECT_EQ(s.text.textColor, kRed); }},
    {"FILEPOS -1 suppresses HREF", {{kMarkupA, {{kMarkupFilepos, u"XXXXXXXX"}, {kMarkupHref, u"x"}}}},
     [](const ElementStyle& s, const ElementStyle&) { EXPECT_EQ(s.text.link.Get(), nullptr); }},
    {"FILEPOS makes a position link", {{kMarkupA, {{kMarkupFilepos, u"0001234"}, {kMarkupHref, u"x"}}}},
     [](const ElementStyle& s, const ElementStyle&) {
       ASSERT_NE(s.text.link.Get(), nullptr);
       EXPECT_EQ(s.text.link->kind, LinkAction::kFilePosition);
       EXPECT_EQ(s.text.link->number, 1234);
     }},
    {"ONCLICK overrides", {{kMarkupA, {{kMarkupHref, u"x"}, {kMarkupOnclick, u"go()"}}}},
     [](const ElementStyle& s, const ElementStyle&) {
       ASSERT_NE(s.text.link.Get(), nullptr);
       EXPECT_EQ(s.text.link->kind, LinkAction::kScript);
     }},
    {"Q has no entry and changes nothing", {{kMarkupB, {}}, {kMarkupQ, {{kMarkupColor, u"red"}}}},
     [](const ElementStyle& s, const ElementStyle& parent) {
       EXPECT_TRUE(SameTextStyle(s.text, parent.text));
       EXPECT_TRUE(SameBox(s, parent));
     }},
    {"P without HEIGHT leaves 6 pixels", {{kMarkupP, {}}},
     [](const ElementStyle& s, const ElementStyle&) {
       EXPECT_EQ(s.lengths[3], 6u);
       EXPECT_EQ(s.lengths[1], kStyleLengthUnset) << "an unset width stays on a P";
     }},
    {"DIV clears an unset width", {{kMarkupDiv, {}}},
     [](const ElementStyle& s, const ElementStyle&) { EXPECT_EQ(s.lengths[1], 0u); }},
    {"BR with HEIGHT becomes break class 2", {{kMarkupBr, {{kMarkupHeight, u"10"}}}},
     [](const ElementStyle& s, const ElementStyle&) {
       EXPECT_EQ(s.breakClass, 2);
       EXPECT_EQ(s.lengths[3], 10u);
       EXPECT_EQ(s.lengths[4], 0u);
     }},
    {"DIV BORDER without BORDERCOLOR takes half the background",
     {{kMarkupDiv, {{kMarkupBorder, u"1"}, {kMarkupBgcolor, u"#F0A0C0"}}}},
     [](const ElementStyle& s, const ElementStyle&) {
       EXPECT_EQ(s.boxFlags, kBoxBorder | kBoxOwnBackground);
       EXPECT_EQ(s.borderColor, Color::FromRgb(0x78, 0x50, 0x60));
     }},
    {"TD BGCOLOR sets the row colour", {{kMarkupTd, {{kMarkupBgcolor, u"red"}}}},
     [](const ElementStyle& s, const ElementStyle&) { EXPECT_EQ(s.rowColor, kRed); }},
    {"SUP is raised and smaller", {{kMarkupSup, {}}},
     [](const ElementStyle& s, const ElementStyle&) {
       EXPECT_EQ(s.text.Position(), TextStyle::kRaised);
       EXPECT_EQ(s.text.sizeStep, -2);
     }},
    {"TITLE gives a link of the element's own", {{kMarkupA, {{kMarkupHref, u"x"}}}, {kMarkupSpan, {{kMarkupTitle, u"tip"}}}},
     [](const ElementStyle& s, const ElementStyle& parent) {
       ASSERT_NE(s.text.link.Get(), nullptr);
       EXPECT_NE(s.text.link.Get(), parent.text.link.Get());
       EXPECT_EQ(s.text.link->kind, LinkAction::kAddress);
       EXPECT_EQ(s.text.link->title.length, 3u);
       EXPECT_EQ(parent.text.link->title.length, 0u) << "the parent's link keeps its title";
     }},
};

TEST(StyleResolution, TableOfCases) {
  const DefaultStyle defaults = Defaults();
  for (const StyleCase& c : kCases) {
    SCOPED_TRACE(c.name);
    ElementStyle parent;
    ElementStyle style = Resolve(c.chain, defaults, &parent);
    c.check(style, parent);
  }
}

TEST(StyleResolution, HrOptionMakesHrALineBreak) {
  DefaultStyle defaults = Defaults();
  defaults.hrAsLineBreak = true;
  ElementStyle parent;
  EXPECT_EQ(Resolve({{kMarkupHr, {}}}, defaults, &parent).breakClass, 1);
  EXPECT_EQ(Resolve({{kMarkupH1, {}}}, defaults, &parent).breakClass, 1);
}

TEST(StyleLength, ResolvesAndAddsWithoutOverflow) {
  EXPECT_EQ(ResolveStyleLength(MakeStyleLength(50, kStyleLengthPercent), 10, 240), 120);
  EXPECT_EQ(ResolveStyleLength(MakeStyleLength(2, kStyleLengthEm), 12, 0), 24);
  EXPECT_EQ(ResolveStyleLength(MakeStyleLength(7, 0) | kStyleLengthUnset, 12, 0), 7);
  EXPECT_EQ(ResolveStyleLength(MakeStyleLength(3, kStyleLengthUnitMask), 12, 0), 1);
  // Markup numbers reach 0x0FFFFFFF: the products saturate.
  EXPECT_EQ(ResolveStyleLength(MakeStyleLength(0x0FFFFFFF, kStyleLengthPercent), 10, 0x7FFFFFFF), INT32_MAX);
  EXPECT_EQ(ResolveStyleLength(MakeStyleLength(0x0FFFFFFF, kStyleLengthEm), 1000, 0), INT32_MAX);
  EXPECT_EQ(AddStyleLengths(MakeStyleLength(5, 0), MakeStyleLength(1, kStyleLengthEm), 1), MakeStyleLength(5, 0));
  EXPECT_EQ(AddStyleLengths(MakeStyleLength(0, 0), MakeStyleLength(1, kStyleLengthEm), 1),
            MakeStyleLength(1, kStyleLengthEm));
  EXPECT_EQ(AddStyleLengths(MakeStyleLength(5, 0), MakeStyleLength(7, 0), -1), MakeStyleLength(-2, 0));
}

}  // namespace
