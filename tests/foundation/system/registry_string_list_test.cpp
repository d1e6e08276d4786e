// RegistryStringList: most recent first under a fixed "Length"; pushing new
// and known texts, removing (the last value goes, so Load keeps every
// remaining entry), and keys always closed again.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/system/registry_string_list.h"
#include "platform/testing/registry.h"

namespace {

const char16_t* kPath = u"Software\\Tessalyn\\Recent";

using Texts = std::vector<std::u16string>;

EncodedString Text(const std::u16string& text) {
  EncodedString s;
  s.FromWide(text.c_str());
  return s;
}

class StringList : public ::testing::Test {
 protected:
  // The list key with "Length" and the given entries.
  void Seed(uint32_t length, const Texts& entries) {
    devtest::SeedRegistryDword(HKEY_CURRENT_USER, kPath, u"Length", length);
    for (size_t i = 0; i < entries.size(); ++i)
      devtest::SeedRegistryString(HKEY_CURRENT_USER, kPath, Name(i), entries[i]);
  }
  static std::u16string Name(size_t i) {
    std::u16string name;
    for (char c : std::to_string(i)) name.push_back(static_cast<char16_t>(c));
    return name;
  }
  // The values "0", "1", ... as stored, up to the first missing one.
  Texts Stored() {
    Texts texts;
    for (size_t i = 0;; ++i) {
      auto text = devtest::ReadRegistryString(HKEY_CURRENT_USER, kPath, Name(i));
      if (!text) break;
      texts.push_back(*text);
    }
    return texts;
  }
  Texts Loaded() {
    EncodedStringArray array;
    Texts texts;
    if (!list_.Load(&array)) return {u"<no list>"};
    for (uint32_t i = 0; i < array.Count(); ++i) {
      EncodedString& s = array.At(i);
      texts.push_back(s.ByteLength() ? std::u16string(s.CStr()) : u"");
    }
    return texts;
  }
  void TearDown() override { EXPECT_EQ(devtest::OpenRegistryKeyCount(), 0); }

  RegistryStringList list_{HKEY_CURRENT_USER, Text(kPath)};
};

TEST_F(StringList, PushFrontMovesKnownTextsAndDropsTheLast) {
  struct Case {
    const char* what;
    Texts before;
    std::u16string pushed;
    Texts after;
  };
  const Case cases[] = {
      {"known at position 2", {u"a", u"b", u"c", u"d", u"e"}, u"c", {u"c", u"a", u"b", u"d", u"e"}},
      {"new into a full list", {u"a", u"b", u"c", u"d", u"e"}, u"x", {u"x", u"a", u"b", u"c", u"d"}},
      {"already first", {u"a", u"b", u"c"}, u"a", {u"a", u"b", u"c"}},
      {"new into a short list", {u"a", u"b"}, u"x", {u"x", u"a", u"b"}},
      {"case counts", {u"a", u"B"}, u"b", {u"b", u"a", u"B"}},
      {"empty list", {}, u"x", {u"x"}},
  };
  for (const auto& c : cases) {
    devtest::ClearRegistry();
    Seed(5, c.before);
    list_.PushFront(Text(c.pushed));
    EXPECT_EQ(Stored(), c.after) << c.what;
    EXPECT_EQ(Loaded(), c.after) << c.what;
    EXPECT_EQ(devtest::ReadRegistryDword(HKEY_CURRENT_USER, kPath, u"Length"), 5u) << c.what;
  }
}

TEST_F(StringList, RemoveShiftsUpAndDeletesTheLastValue) {
  struct Case {
    const char* what;
    std::u16string removed;
    Texts after;
  };
  const Case cases[] = {
      {"middle", u"c", {u"a", u"b", u"d", u"e"}},
      {"first", u"a", {u"b", u"c", u"d", u"e"}},
      {"last", u"e", {u"a", u"b", u"c", u"d"}},
      {"absent", u"z", {u"a", u"b", u"c", u"d", u"e"}},
      {"case counts", u"C", {u"a", u"b", u"c", u"d", u"e"}},
  };
  for (const auto& c : cases) {
    devtest::ClearRegistry();
    Seed(5, {u"a", u"b", u"c", u"d", u"e"});
    list_.Remove(Text(c.removed));
    EXPECT_EQ(Stored(), c.after) << c.what;
    // No stale copy is left behind the gap: value 4 is gone after a removal.
    EXPECT_EQ(devtest::RegistryValueNames(HKEY_CURRENT_USER, kPath).size(), c.after.size() + 1) << c.what;
    EXPECT_EQ(Loaded(), c.after) << c.what;
  }
}

TEST_F(StringList, PushRemoveAndLoadRoundTrip) {
  Seed(3, {});
  for (const char16_t* text : {u"one", u"two", u"three", u"four"}) list_.PushFront(Text(text));
  EXPECT_EQ(Loaded(), (Texts{u"four", u"three", u"two"}));
  list_.Remove(Text(u"three"));
  EXPECT_EQ(Loaded(), (Texts{u"four", u"two"}));
  list_.PushFront(Text(u"two"));
  EXPECT_EQ(Loaded(), (Texts{u"two", u"four"}));
  list_.PushFront(Text(u"five"));
  EXPECT_EQ(Loaded(), (Texts{u"five", u"two", u"four"}));
  ASSERT_TRUE(list_.SetLength(2));
  EXPECT_EQ(Loaded(), (Texts{u"five", u"two"}));
}

TEST_F(StringList, MissingKeyOrLengthChangesNothing) {
  EncodedStringArray array;
  EXPECT_FALSE(list_.Load(&array));
  EXPECT_FALSE(list_.SetLength(5));
  list_.PushFront(Text(u"x"));
  EXPECT_FALSE(devtest::RegistryKeyExists(HKEY_CURRENT_USER, kPath));

  devtest::SeedRegistryKey(HKEY_CURRENT_USER, kPath);
  list_.PushFront(Text(u"x"));  // no "Length": nothing happens
  EXPECT_TRUE(devtest::RegistryValueNames(HKEY_CURRENT_USER, kPath).empty());
  EXPECT_FALSE(list_.Load(&array));
  EXPECT_EQ(array.Count(), 0u);
}

TEST_F(StringList, LoadStopsAtTheFirstMissingEntry) {
  Seed(5, {u"a", u"b"});
  devtest::SeedRegistryString(HKEY_CURRENT_USER, kPath, u"3", u"after the gap");
  EXPECT_EQ(Loaded(), (Texts{u"a", u"b"}));
}

}  // namespace
