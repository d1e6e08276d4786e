// Language tags and language identifiers, both ways.
#include "foundation/language/language_tag.h"

#include <gtest/gtest.h>

#include <string>

TEST(LanguageTag, TagToLcid) {
  struct Case {
    const char16_t* tag;
    uint16_t lcid;
  } cases[] = {{u"ar-eg", 0x0C01}, {u"en-us", 0x0409}, {u"neutral", 0x0000}, {u"zu", 0x0035},
               {u"x-kok", 0x0057}, {u"EN-US", 0},      {u"en-u", 0},          {u"xx", 0}};
  for (const Case& c : cases) {
    std::u16string tag(c.tag);
    EXPECT_EQ(LanguageTagToLcid(tag.c_str(), static_cast<uint32_t>(tag.size())), c.lcid);
  }
  EXPECT_EQ(LanguageTagToLcid(nullptr, 2), 0);
  // The length decides, not a terminator.
  EXPECT_EQ(LanguageTagToLcid(u"en-us", 2), 0x0009);
}

TEST(LanguageTag, LcidToTag) {
  struct Case {
    uint16_t lcid;
    const char16_t* tag;
  } cases[] = {{0x0019, u"ru-mo"}, {0x0409, u"en-us"}, {0x0009, u"en"},  {0x0013, u"nl"},
               {0x0C01, u"ar-eg"}, {0x0801, u"ar-eg"}, {0x0414, u"no"},  {0x0407, u"de"},
               {0x0416, u"pt-br"}, {0x0432, u"tn"}, {0x0462, nullptr},  {0x0832, nullptr}, {0x0099, nullptr}};
  for (const Case& c : cases) {
    uint32_t length = 99;
    const WCHAR* tag = LcidToLanguageTag(c.lcid, &length);
    if (!c.tag) {
      EXPECT_EQ(tag, nullptr) << c.lcid;
      continue;
    }
    ASSERT_NE(tag, nullptr) << c.lcid;
    EXPECT_EQ(std::u16string(tag, length), std::u16string(c.tag)) << c.lcid;
  }
}
