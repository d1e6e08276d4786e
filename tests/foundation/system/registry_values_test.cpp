// Registry value wrappers: strings without their terminator in UTF-16,
// DWORDs only of their own type, failures that leave the output alone, and
// localised string-table texts.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/language/localized_strings_testing.h"
#include "foundation/system/registry.h"
#include "platform/testing/allocation.h"
#include "platform/testing/profile.h"
#include "platform/testing/registry.h"

namespace {

const char16_t* kPath = u"Software\\Tessalyn";

class RegistryValues : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::SeedRegistryKey(HKEY_CURRENT_USER, kPath);
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kPath, 0, 0, &key_), 0);
  }
  void TearDown() override { RegCloseKey(key_); }
  HKEY key_ = nullptr;
};

std::u16string TextOf(EncodedString& s) { return s.ByteLength() ? std::u16string(s.CStr()) : std::u16string(); }

std::vector<uint8_t> Utf16Bytes(const std::u16string& text) {
  std::vector<uint8_t> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  return bytes;
}

TEST_F(RegistryValues, StringsReadWithoutTheirTerminator) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    std::u16string expected;
  };
  std::vector<uint8_t> unterminated = Utf16Bytes(u"Jog");
  std::vector<uint8_t> odd = Utf16Bytes(u"ab");
  odd.push_back(0x41);
  const Case cases[] = {
      {"terminated", Utf16Bytes(std::u16string(u"Button 1") + u'\0'), u"Button 1"},
      {"only the terminator", {0, 0}, u""},
      {"no bytes", {}, u""},
      {"no terminator", unterminated, u"Jog"},
      {"odd last byte", odd, u"ab"},
  };
  for (const auto& c : cases) {
    devtest::SeedRegistryValue(HKEY_CURRENT_USER, kPath, u"Name", REG_SZ, c.bytes);
    EncodedString text;
    text.AssignNarrow("old");
    ASSERT_TRUE(RegQueryString(key_, u"Name", &text)) << c.what;
    EXPECT_EQ(TextOf(text), c.expected) << c.what;
    EXPECT_EQ(text.CodePage(), 65002) << c.what;
  }
}

TEST_F(RegistryValues, MissingValuesAndWrongTypesLeaveTheOutputAlone) {
  EncodedString text;
  text.AssignNarrow("kept");
  EXPECT_FALSE(RegQueryString(key_, u"Missing", &text));
  EXPECT_EQ(text.ByteLength(), 4u);

  devtest::SeedRegistryString(HKEY_CURRENT_USER, kPath, u"Text", u"12");
  devtest::SeedRegistryValue(HKEY_CURRENT_USER, kPath, u"Long", REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0});
  devtest::SeedRegistryDword(HKEY_CURRENT_USER, kPath, u"Number", 0xC1);
  uint32_t value = 77;
  EXPECT_FALSE(RegQueryDword(key_, u"Text", &value));
  EXPECT_FALSE(RegQueryDword(key_, u"Long", &value));
  EXPECT_FALSE(RegQueryDword(key_, u"Missing", &value));
  EXPECT_EQ(value, 77u);
  EXPECT_TRUE(RegQueryDword(key_, u"Number", &value));
  EXPECT_EQ(value, 0xC1u);

  HKEY closed = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kPath, 0, 0, &closed), 0);
  RegCloseKey(closed);
  EXPECT_FALSE(RegSetDword(closed, u"Number", 1));
  EXPECT_FALSE(RegQueryString(closed, u"Text", &text));
}

TEST_F(RegistryValues, WritesRoundTripInUtf16) {
  EncodedString western;
  western.AssignNarrow("caf\xe9", 1252);
  ASSERT_TRUE(RegSetString(key_, u"Western", western));
  EXPECT_EQ(devtest::ReadRegistryValue(HKEY_CURRENT_USER, kPath, u"Western")->bytes,
            Utf16Bytes(std::u16string(u"caf\u00e9") + u'\0'));
  EncodedString back;
  ASSERT_TRUE(RegQueryString(key_, u"Western", &back));
  EXPECT_EQ(TextOf(back), u"caf\u00e9");

  EncodedString empty;
  empty.FromWide(u"");
  ASSERT_TRUE(RegSetString(key_, u"Empty", empty));
  auto stored = devtest::ReadRegistryValue(HKEY_CURRENT_USER, kPath, u"Empty");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, REG_SZ);
  EXPECT_TRUE(stored->bytes.empty());

  ASSERT_TRUE(RegSetDword(key_, u"Count", 5));
  EXPECT_EQ(devtest::ReadRegistryDword(HKEY_CURRENT_USER, kPath, u"Count"), 5u);
  EXPECT_TRUE(RegDeleteValueAt(key_, u"Count"));
  EXPECT_FALSE(RegDeleteValueAt(key_, u"Count"));
}

TEST_F(RegistryValues, StringReadFailsCleanlyWithoutMemory) {
  devtest::SeedRegistryString(HKEY_CURRENT_USER, kPath, u"Name", u"text");
  EncodedString text;
  {
    devtest::AllocationFailure failure(1);
    EXPECT_FALSE(RegQueryString(key_, u"Name", &text));
  }
  EXPECT_TRUE(RegQueryString(key_, u"Name", &text));
}

TEST(LoadStringResource, TakesTheUsersLanguage) {
  devtest::ResetLanguageOffset();
  EncodedString text;
  ASSERT_TRUE(LoadStringResourceInto(5002, &text));
  EXPECT_EQ(TextOf(text), u"Add bookmark");
  EXPECT_EQ(text.CodePage(), 65002);
  EXPECT_FALSE(LoadStringResourceInto(4999, &text));

  devtest::DeviceProfile profile = devtest::Profile();
  profile.language = 0x040C;
  devtest::SetProfile(profile);
  devtest::ResetLanguageOffset();
  ASSERT_TRUE(LoadStringResourceInto(5002, &text));
  EXPECT_EQ(TextOf(text), u"Ajouter un signet");
  devtest::ResetLanguageOffset();
}

}  // namespace
