// The base style a layout context keeps: the size, font, colours and
// alignment taken out of the stored style, and the font chosen through the
// record's font selector with the document's encoding information.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/pages/layout_context.h"
#include "tests/support/fake_document.h"

namespace {

class HeaderDocument : public FakeDocument {
 public:
  using FakeDocument::FakeDocument;
  const uint8_t* GetExtraHeaderData(uint32_t* length) override {
    *length = static_cast<uint32_t>(header.size());
    return header.empty() ? nullptr : header.data();
  }
  uint32_t GetLanguage() override { return 0x0407; }
  std::vector<uint8_t> header;
};

// Picks font 9 for documents whose encoding information starts with 0xE9,
// and remembers what it was given.
class RecordingSelector : public BaseFontSelector {
 public:
  uint8_t SelectBaseFont(uint8_t font, const uint8_t* encoding, uint32_t length) override {
    given = font;
    seen.assign(encoding, encoding + length);
    return length > 0 && encoding[0] == 0xE9 ? 9 : font;
  }
  uint8_t given = 0;
  std::vector<uint8_t> seen;
};

BaseStyleRecord ColouredRecord() {
  BaseStyleRecord record;
  record.fontSize = 14;
  record.font = 3;
  record.alignment = 4;
  record.text.sizeStep = 2;
  record.text.face = 2;
  record.text.flags = TextStyle::kItalic;
  record.text.textColor = Color::FromRgb(1, 2, 3);
  record.text.background = Color::FromRgb(250, 250, 240);
  return record;
}

TEST(BaseStyle, TheContextKeepsSizeFontColoursAndAlignmentAndTheStyleOnlyTheRest) {
  HeaderDocument document(u"text");
  LayoutContext context;
  context.AttachParser(nullptr, &document, nullptr);
  context.SetBaseStyle(ColouredRecord());
  EXPECT_EQ(context.BaseFontSize(), 14);
  EXPECT_EQ(context.Font().defaultFont, 3);
  EXPECT_EQ(context.BaseTextColor(), Color::FromRgb(1, 2, 3));
  EXPECT_EQ(context.BaseBackground(), Color::FromRgb(250, 250, 240));
  EXPECT_EQ(context.DefaultAlignment(), 4);
  const TextStyle& stored = context.BaseStyle();
  EXPECT_EQ(stored.sizeStep, 0);
  EXPECT_EQ(stored.face, 0);
  EXPECT_TRUE(stored.textColor.IsNone());
  EXPECT_TRUE(stored.background.IsNone());
  EXPECT_EQ(stored.flags, TextStyle::kItalic);
  EXPECT_EQ(stored.language, 0x0407);  // the document's
}

TEST(BaseStyle, TheFontSelectorSeesTheDocumentsEncodingInformation) {
  HeaderDocument document(u"text");
  LayoutContext context;
  RecordingSelector selector;
  BaseStyleRecord record = ColouredRecord();
  record.fontSelector = &selector;

  // Without a document the selector is asked with no information.
  context.SetBaseStyle(record);
  EXPECT_EQ(selector.given, 3);
  EXPECT_TRUE(selector.seen.empty());
  EXPECT_EQ(context.Font().defaultFont, 3);

  document.header = {0xE9, 0x00, 0x04};
  context.AttachParser(nullptr, &document, nullptr);
  context.SetBaseStyle(record);
  EXPECT_EQ(selector.seen, document.header);
  EXPECT_EQ(context.Font().defaultFont, 9);

  // A record without a selector keeps its font.
  record.fontSelector = nullptr;
  context.SetBaseStyle(record);
  EXPECT_EQ(context.Font().defaultFont, 3);
}

}  // namespace
