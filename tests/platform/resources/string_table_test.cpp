// The program's string table as data: ordered for binary search, English and
// French in pairs, and the same fill-in fields in both languages so that a
// formatted message or a generated page comes out whole in either.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "resources/string_table.h"

namespace {

constexpr UINT kFirstEnglish = 5002;
constexpr UINT kLastEnglish = 5466;
constexpr UINT kFrenchOffset = 1000;

std::map<UINT, std::u16string> TableById() {
  size_t count = 0;
  const StringTableEntry* entries = ProgramStringTable(&count);
  std::map<UINT, std::u16string> byId;
  for (size_t i = 0; i < count; ++i) byId[entries[i].id] = entries[i].text;
  return byId;
}

bool IsEnglish(UINT id) { return id >= kFirstEnglish && id <= kLastEnglish; }
bool IsFrench(UINT id) {
  return id >= kFirstEnglish + kFrenchOffset && id <= kLastEnglish + kFrenchOffset;
}

// The fields a caller fills: positional "%1".."%9" and the page writer's
// "###name###". Sorted, so that a translation may reorder them.
std::vector<std::u16string> FillInFields(const std::u16string& text) {
  std::vector<std::u16string> fields;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'%' && i + 1 < text.size() && text[i + 1] >= u'1' &&
        text[i + 1] <= u'9') {
      fields.push_back(text.substr(i, 2));
      ++i;
    } else if (text.compare(i, 3, u"###") == 0) {
      size_t end = text.find(u"###", i + 3);
      if (end == std::u16string::npos) {
        fields.push_back(u"unclosed ###");
        break;
      }
      fields.push_back(text.substr(i, end + 3 - i));
      i = end + 2;
    }
  }
  std::sort(fields.begin(), fields.end());
  return fields;
}

}  // namespace

TEST(StringTable, SortedWithoutDuplicatesAndEveryTextPresent) {
  size_t count = 0;
  const StringTableEntry* entries = ProgramStringTable(&count);
  ASSERT_NE(entries, nullptr);
  ASSERT_GT(count, 0u);
  for (size_t i = 0; i < count; ++i) {
    ASSERT_NE(entries[i].text, nullptr) << entries[i].id;
    EXPECT_NE(entries[i].text[0], u'\0') << entries[i].id;
    if (i > 0) {
      EXPECT_LT(entries[i - 1].id, entries[i].id) << "at index " << i;
    }
  }
}

TEST(StringTable, EnglishAndFrenchComeInPairs) {
  const auto table = TableById();
  size_t english = 0;
  for (const auto& [id, text] : table) {
    if (IsEnglish(id)) {
      ++english;
      EXPECT_TRUE(table.count(id + kFrenchOffset)) << "no French text for " << id;
    } else if (IsFrench(id)) {
      EXPECT_TRUE(table.count(id - kFrenchOffset)) << "no English text for " << id;
    } else {
      EXPECT_GE(id, 20000u) << "identifier outside the text ranges: " << id;
    }
  }
  EXPECT_GT(english, 0u);
}

TEST(StringTable, TranslationsKeepTheFillInFields) {
  const auto table = TableById();
  for (const auto& [id, text] : table) {
    if (!IsEnglish(id)) continue;
    auto french = table.find(id + kFrenchOffset);
    if (french == table.end()) continue;  // reported by the pairing test
    EXPECT_EQ(FillInFields(text), FillInFields(french->second)) << "identifier " << id;
  }
}

TEST(StringTable, KnownEntries) {
  const auto table = TableById();
  ASSERT_TRUE(table.count(20000));
  EXPECT_EQ(table.at(20000), u"Corvelline Reader");
  // A French load of the title goes through the same offset.
  ASSERT_TRUE(table.count(21000));
  EXPECT_EQ(table.at(21000), table.at(20000));
  ASSERT_TRUE(table.count(5023) && table.count(6023));
  EXPECT_EQ(table.at(5023), u"Bad version number");
  EXPECT_EQ(table.at(6375), u"Mémoire principale");
  EXPECT_EQ(table.at(5028), u"Could not open: %1%2");
}
