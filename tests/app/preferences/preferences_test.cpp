// The preferences: defaults, font sizes that wrap, the library position,
// and a hand-built "GPAR" record loaded and saved back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/environment/app_environment.h"
#include "app/preferences/preferences.h"
#include "platform/files/files.h"
#include "platform/testing/profile.h"
#include "storage/settings/global_settings_file.h"
#include "tests/support/record_file_builder.h"

namespace {

constexpr const char16_t* kSettings = u"\\Windows\\QVR_global_configuration.qvr";
constexpr uint32_t kAbsent = 0xFFFFFFFF;

EncodedString Wide(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

std::u16string TextOf(const EncodedString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.UnsignedBytes()), s.ByteLength() / 2);
}

void PutWord(std::vector<uint8_t>& data, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) data[offset + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

struct RecordingHost : PreferencesHost {
  bool SetFontEntry(uint32_t index, uint32_t, const EncodedString& name) override {
    fonts.push_back({index, TextOf(name)});
    return true;
  }
  void SetSurfaceClearType(bool) override {}
  void ApplyPreferencesToView() override { ++applied; }
  std::vector<std::pair<uint32_t, std::u16string>> fonts;
  int applied = 0;
};

class PreferencesTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateDirectoryW(u"\\Windows", nullptr); }
  void Attach(Preferences& p) {
    p.SetEnvironment(&environment);
    p.SetHost(&host);
  }
  AppEnvironment environment{Wide(u"\\Program Files\\tessalyn"), nullptr};
  RecordingHost host;
};

// A settings record as an older program left it: every text absent.
std::vector<uint8_t> BaseRecord() {
  std::vector<uint8_t> data(312, 0);
  for (size_t link : {32, 36, 40, 44, 48, 52, 64, 100, 252}) PutWord(data, link, kAbsent);
  return data;
}

}  // namespace

TEST_F(PreferencesTest, FontSizeWrapsAtBothEnds) {
  Preferences p;
  Attach(p);
  ASSERT_TRUE(p.Load(true));
  p.SelectFontKind(false);
  ASSERT_EQ(p.smallestFontSize, 12);
  ASSERT_EQ(p.largestFontSize, 24);
  struct Case {
    int32_t size;
    int8_t expected;
  } cases[] = {{25, 12}, {11, 24}, {24, 24}, {300, 12}};  // 300 is 44 as a signed byte
  for (const Case& c : cases) {
    p.currentFontSize = 16;
    p.systemFontSize = 16;
    EXPECT_TRUE(p.SetFontSize(c.size));
    EXPECT_EQ(p.currentFontSize, c.expected) << c.size;
    EXPECT_EQ(p.systemFontSize, c.expected);
  }
  EXPECT_FALSE(p.SetFontSize(p.currentFontSize));
}

TEST_F(PreferencesTest, LastPositionRoundTrips) {
  Preferences p;
  struct Case {
    uint32_t kind;
    int32_t index;
    bool forward;
    uint32_t stored;
  } cases[] = {{5, 0, true, 0x50001}, {5, 0, false, 0x5FFFF}, {2, 37, true, 0x20026}, {6, 9, false, 0x6FFF6}};
  for (const Case& c : cases) {
    p.SetLastPosition(c.kind, c.index, c.forward, u"shelf");
    EXPECT_EQ(p.lastLibraryView, c.stored);
    uint32_t kind = 0;
    int32_t index = -5;
    bool forward = !c.forward;
    SharedWideString text;
    p.GetLastPosition(&kind, &index, &forward, &text);
    EXPECT_EQ(kind, c.kind);
    EXPECT_EQ(index, c.index);
    EXPECT_EQ(forward, c.forward);
    EXPECT_EQ(std::u16string(text.Chars() ? text.Chars() : u"", text.length),
              (c.kind == 5 || c.kind == 6) ? u"shelf" : u"");
  }
}

TEST_F(PreferencesTest, HandBuiltRecordLoadsAndSavesAsStored) {
  std::vector<uint8_t> data = BaseRecord();
  // Colours: red, green, blue, a fourth byte that is ignored.
  const uint8_t text[] = {1, 2, 3, 0xEE};
  std::copy(text, text + 4, data.begin() + 20);
  PutWord(data, 8, kAbsent);  // side margin: keep the default
  PutWord(data, 56, 9);
  PutWord(data, 60, 0);       // page count 0 reads as 1
  data[30] = 1;               // full screen stored on
  data[29] = 0;               // left aligned
  PutWord(data, 80, 2);
  data[259] = 40;             // button 0: not a bit below 32
  data[260] = 255;            // button 1: none
  data[261] = 3;              // button 2: action bit 8
  data[28] = 1;               // font-file font active
  PutWord(data, 276, 4);
  testbuild::RecordFileBuilder builder("GPAR");
  builder.Add("GPAR", data);
  ASSERT_TRUE(testbuild::WriteDeviceFile(kSettings, builder.Build()));

  GlobalSettingsFile settings;
  ASSERT_EQ(settings.OpenOrCreate(Wide(kSettings), false), RecordResult::kOk);
  Preferences p;
  Attach(p);
  p.SetSettingsFile(&settings);
  ASSERT_TRUE(p.Load(false));
  EXPECT_EQ(p.textColor.value, 0x030201u);
  EXPECT_EQ(p.sideMargin, 20);
  EXPECT_EQ(p.topBottomMargin, 9);
  EXPECT_EQ(p.pageCount, 1u);
  EXPECT_EQ(p.fullScreen, 0);
  EXPECT_EQ(p.textAlignment, 1u);
  EXPECT_EQ(p.orientation, 2u);
  EXPECT_EQ(p.GetButtonAction(0), 0u);
  EXPECT_EQ(p.GetButtonAction(1), kNoButtonAction);
  EXPECT_EQ(p.GetButtonAction(2), 8u);
  EXPECT_EQ(p.GetButtonAction(12), kNoButtonAction);
  EXPECT_EQ(p.GetFontFace(), kFontFaceSystem);  // every load starts with the system font
  EXPECT_EQ(p.fontsDefaulted, 1);
  EncodedString name;
  ASSERT_TRUE(p.GetFontName(&name, true));
  EXPECT_EQ(TextOf(name), u"\\Program Files\\tessalyn\\corvtype.prc");
  ASSERT_TRUE(p.GetFontName(&name, false));
  EXPECT_EQ(TextOf(name), u"Arial");
  ASSERT_EQ(host.fonts.size(), 2u);
  EXPECT_EQ(host.fonts[0].first, kFontFaceFontFile);
  EXPECT_EQ(host.fonts[1].first, kFontFaceSystem);

  ASSERT_TRUE(p.Save());
  settings.Close();
  auto saved = testbuild::ReadTaggedDeviceFile(kSettings);
  ASSERT_TRUE(saved.has_value());
  const std::vector<uint8_t>& out = saved->records.at(0).data;
  EXPECT_EQ(out[20], 1);
  EXPECT_EQ(out[23], 0);  // the fourth colour byte is written as zero
  EXPECT_EQ(testbuild::WordAt(out, 8), 20u);  // the margin in use
  EXPECT_EQ(testbuild::WordAt(out, 60), 1u);
  EXPECT_EQ(out[30], 0);
  EXPECT_EQ(out[28], 0);
  EXPECT_EQ(out[259], 255);
  EXPECT_EQ(out[260], 255);
  EXPECT_EQ(out[261], 3);
  EXPECT_EQ(testbuild::WordAt(out, 276), 4u);
}

TEST_F(PreferencesTest, NoFileAndDefaultsOnly) {
  Preferences p;
  Attach(p);
  EXPECT_FALSE(p.Load(false));
  EXPECT_FALSE(p.Save());
  devtest::DeviceProfile profile;
  profile.dpi = 192;
  devtest::SetProfile(profile);
  ASSERT_TRUE(p.Load(true));
  EXPECT_EQ(p.sideMargin, 40);
  EXPECT_EQ(p.topBottomMargin, 7);
  EXPECT_EQ(p.currentFontSize, 16);
}
