// Font objects: creation and its injected failures, GetObjectW, metrics of
// the selected font, the stock font, face names, enumeration and counts.
#include <string>
#include <vector>

#include "tests/platform/text_drawing/text_test_canvas.h"

namespace {

using texttest::Canvas;
using texttest::Font;
using texttest::SelectedFont;

class TextFontObjects : public texttest::TextTest {};

TEST_F(TextFontObjects, GetObjectGivesTheLogfontBack) {
  LOGFONTW asked = Font(-15, u"Courier New", FW_BOLD);
  asked.lfItalic = 1;
  asked.lfQuality = CLEARTYPE_QUALITY;
  HFONT font = CreateFontIndirectW(&asked);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(GetObjectType(font), OBJ_FONT);
  EXPECT_EQ(GetObjectW(font, 0, nullptr), static_cast<int>(sizeof(LOGFONTW)));
  LOGFONTW back{};
  EXPECT_EQ(GetObjectW(font, sizeof back, &back), static_cast<int>(sizeof(LOGFONTW)));
  EXPECT_EQ(std::memcmp(&back, &asked, sizeof back), 0);
  EXPECT_EQ(GetObjectW(font, sizeof back - 1, &back), 0);
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_EQ(GetObjectW(font, sizeof back, &back), 0) << "a deleted font is a stale handle";
  EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
}

TEST_F(TextFontObjects, MetricsOfTheSelectedFont) {
  Canvas canvas;
  struct Case {
    const char16_t* face;
    LONG height;
    LONG weight;
    LONG cell, ascent, aveWidth;
    BYTE pitchAndFamily;
  } cases[] = {
      {u"Tahoma", -12, FW_NORMAL, 13, 11, 8, FF_SWISS | TMPF_FIXED_PITCH},
      {u"Times New Roman", 16, FW_NORMAL, 16, 13, 10, FF_ROMAN | TMPF_FIXED_PITCH},
      {u"Courier New", -12, FW_BOLD, 13, 11, 9, FF_MODERN},  // fixed pitch: the bit is clear
      {u"Courrier New", -12, FW_NORMAL, 13, 11, 8, FF_SWISS | TMPF_FIXED_PITCH},  // unknown: the default
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.face, c.face + std::char_traits<char16_t>::length(c.face)));
    SelectedFont selected(canvas.dc, Font(c.height, c.face, c.weight));
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(canvas.dc, &tm));
    EXPECT_EQ(tm.tmHeight, c.cell);
    EXPECT_EQ(tm.tmAscent, c.ascent);
    EXPECT_EQ(tm.tmDescent, c.cell - c.ascent);
    EXPECT_EQ(tm.tmAveCharWidth, c.aveWidth);
    EXPECT_EQ(tm.tmWeight, c.weight);
    EXPECT_EQ(tm.tmPitchAndFamily, c.pitchAndFamily);
    EXPECT_EQ(tm.tmCharSet, ANSI_CHARSET);
    EXPECT_EQ(tm.tmDigitizedAspectY, 96);
  }
  EXPECT_FALSE(GetTextMetricsW(nullptr, nullptr));
}

TEST_F(TextFontObjects, ADcWithoutAFontOfItsOwnUsesTheStockSystemFont) {
  for (int dpi : {96, 130, 192}) {
    SCOPED_TRACE(dpi);
    devtest::DisplayMetrics display = devtest::Display();
    display.dpi = dpi;
    devtest::SetDisplay(display);
    Canvas canvas;
    EXPECT_EQ(GetDeviceCaps(canvas.dc, LOGPIXELSY), dpi);
    HGDIOBJ stock = GetStockObject(SYSTEM_FONT);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), stock);
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(canvas.dc, &tm));
    // Character height 12 scaled by dpi / 96 with integer division: 130 dpi
    // keeps the 96-dpi size.
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12 * (dpi / 96));
    WCHAR face[LF_FACESIZE];
    EXPECT_EQ(GetTextFaceW(canvas.dc, LF_FACESIZE, face), 6);
    EXPECT_EQ(std::u16string(face), u"Tahoma");
    EXPECT_EQ(GetTextFaceW(canvas.dc, 4, face), 3);
    EXPECT_EQ(std::u16string(face), u"Tah");
    DeleteObject(stock);  // stock objects ignore it
    EXPECT_EQ(GetObjectType(stock), OBJ_FONT);
    EXPECT_EQ(devtest::LiveFonts(), 0);
  }
}

TEST_F(TextFontObjects, InjectedFailuresRefuseCreation) {
  LOGFONTW asked = Font(-12);
  devtest::FailFontCreation(2);
  HFONT first = CreateFontIndirectW(&asked);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(CreateFontIndirectW(&asked), nullptr);
  HFONT third = CreateFontIndirectW(&asked);
  EXPECT_NE(third, nullptr);
  devtest::FailFontCreation(1, true);
  EXPECT_EQ(CreateFontIndirectW(&asked), nullptr);
  EXPECT_EQ(CreateFontIndirectW(&asked), nullptr);
  EXPECT_EQ(devtest::LiveFonts(), 2);
  DeleteObject(first);
  DeleteObject(third);
  EXPECT_EQ(devtest::LiveFonts(), 0);
}

TEST_F(TextFontObjects, TenThousandFontsLeaveNothingBehind) {
  Canvas canvas;
  HGDIOBJ original = GetCurrentObject(canvas.dc, OBJ_FONT);
  for (int i = 0; i < 10000; ++i) {
    LOGFONTW asked = Font(-(8 + i % 20), i % 3 == 0 ? u"Courier New" : u"Tahoma", i % 2 ? FW_BOLD : FW_NORMAL);
    HFONT font = CreateFontIndirectW(&asked);
    ASSERT_NE(font, nullptr);
    if (i % 10 == 0) {
      SelectObject(canvas.dc, font);
      SIZE size;
      GetTextExtentPoint32W(canvas.dc, u"x", 1, &size);
      EXPECT_FALSE(DeleteObject(font)) << "a selected font stays alive";
      SelectObject(canvas.dc, original);
    }
    ASSERT_TRUE(DeleteObject(font));
  }
  EXPECT_EQ(devtest::LiveFonts(), 0);
  EXPECT_EQ(devtest::CreatedGdiObjects(GdiKind::Font), 10000);
}

TEST_F(TextFontObjects, AFontKeepsTheEngineItWasMadeWith) {
  Canvas canvas;
  SelectedFont builtin(canvas.dc, Font(-20));
  devtest::UseFontEngine(fonts::EngineKind::FreeType);
  TEXTMETRICW tm{};
  ASSERT_TRUE(GetTextMetricsW(canvas.dc, &tm));
  EXPECT_EQ(tm.tmHeight, 22);  // the built-in model: 20 + 20 / 8
  EXPECT_EQ(tm.tmPitchAndFamily & TMPF_TRUETYPE, 0);
  SelectedFont real(canvas.dc, Font(-20));
  ASSERT_TRUE(GetTextMetricsW(canvas.dc, &tm));
  EXPECT_EQ(tm.tmPitchAndFamily & TMPF_TRUETYPE, TMPF_TRUETYPE) << "the program must be built with FreeType";
}

struct Enumerated {
  std::vector<std::u16string> names;
  std::vector<LONG> weights;
  std::vector<BYTE> italics;
  int stopAfter = 1000;
};

int Collect(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD type, LPARAM lParam) {
  auto* out = reinterpret_cast<Enumerated*>(lParam);
  out->names.emplace_back(font->lfFaceName);
  out->weights.push_back(metrics->tmWeight);
  out->italics.push_back(font->lfItalic);
  EXPECT_EQ(type, TRUETYPE_FONTTYPE);
  EXPECT_EQ(font->lfHeight, metrics->tmHeight);
  return static_cast<int>(out->names.size()) < out->stopAfter ? 1 : 0;
}

TEST_F(TextFontObjects, EnumerationListsTheDeviceFamilies) {
  Canvas canvas;
  Enumerated all;
  EXPECT_EQ(EnumFontFamiliesW(canvas.dc, nullptr, &Collect, reinterpret_cast<LPARAM>(&all)), 1);
  ASSERT_GE(all.names.size(), 4u);
  EXPECT_EQ(all.names[0], u"Tahoma");
  for (const char16_t* expected : {u"Courier New", u"Times New Roman", u"Arial", u"Bookdings"}) {
    EXPECT_NE(std::find(all.names.begin(), all.names.end(), expected), all.names.end());
  }

  Enumerated styles;
  EXPECT_EQ(EnumFontFamiliesW(canvas.dc, u"courier new", &Collect, reinterpret_cast<LPARAM>(&styles)), 1);
  EXPECT_EQ(styles.names, std::vector<std::u16string>(4, u"Courier New"));
  EXPECT_EQ(styles.weights, (std::vector<LONG>{FW_NORMAL, FW_BOLD, FW_NORMAL, FW_BOLD}));
  EXPECT_EQ(styles.italics, (std::vector<BYTE>{0, 0, 1, 1}));

  Enumerated stopped;
  stopped.stopAfter = 2;
  EXPECT_EQ(EnumFontFamiliesW(canvas.dc, nullptr, &Collect, reinterpret_cast<LPARAM>(&stopped)), 0);
  EXPECT_EQ(stopped.names.size(), 2u);

  Enumerated none;
  EXPECT_EQ(EnumFontFamiliesW(canvas.dc, u"Courrier New", &Collect, reinterpret_cast<LPARAM>(&none)), 0);
  EXPECT_TRUE(none.names.empty());
  EXPECT_EQ(devtest::LiveFonts(), 0);
}

TEST_F(TextFontObjects, CreationIsJournalled) {
  devtest::SetGdiJournal(true);
  LOGFONTW asked = Font(-13, u"Tahoma", FW_BOLD);
  HFONT font = CreateFontIndirectW(&asked);
  DeleteObject(font);
  EXPECT_EQ(devtest::GdiJournalCount("CreateFontIndirectW"), 1);
  std::vector<std::string> journal = devtest::GdiJournal();
  EXPECT_NE(std::find(journal.begin(), journal.end(), "CreateFontIndirectW(-13,700,0,0,0,0,\"Tahoma\")"),
            journal.end());
}

}  // namespace
