// Page-element object names: the readers over tables of names (good,
// refused, degenerate), and every fragment the writers make read back to
// the same fields, with the one form that does not round-trip pinned.
#include <gtest/gtest.h>

#include <string>

#include "browser/pages/page_object_names.h"

namespace {

SharedWideString W(const std::u16string& text) { return SharedWideString(text.c_str()); }
std::u16string S(const SharedWideString& text) {
  return text.length == 0 ? std::u16string() : std::u16string(text.Chars(), text.length);
}

TEST(IndexObjectNames, FieldsByPosition) {
  struct Case {
    std::u16string name;
    bool accepted = false;
    int32_t table = -1, keyTable = -1, keyTag = -1, entry = -1;
    bool ideogram = false;
    std::u16string search = u"";
  };
  const Case cases[] = {
      {u"qvrindex", true, -1, -1, -1, -1, false, u""},
      {u"qvrideo", true, -1, -1, -1, -1, true, u""},
      {u"qvrindex&3", true, 3, -1, -1, -1, false, u""},
      {u"qvrindex&3&words", true, 3, -1, -1, -1, false, u"words"},
      {u"qvrindex&3&5&7", true, 3, 5, 7, -1, false, u""},
      {u"qvrindex&3&5&7&12", true, 3, 5, 7, 12, false, u""},
      {u"qvrindex&3&5&7&12&set", true, 3, 5, 7, 12, false, u"set"},
      {u"qvrindex&3&5&7&set", true, 3, 5, 7, -1, false, u"set"},
      {u"qvrindex&3&5&7&12&a&b", true, 3, 5, 7, 12, false, u"a&b"},  // the last field is the rest
      {u"qvrideo&0&1&2", true, 0, 1, 2, -1, true, u""},
      {u"qvrindex&99999999999", true, INT32_MAX, -1, -1, -1, false, u""},
      {u"qvrindex&3&5", false, 3, 5, -1, -1, false, u""},   // a key table without its word
      {u"qvrindex&words", false, -1, -1, -1, -1, false, u"words"},
      {u"qvrindex&", false, -1, -1, -1, -1, false, u""},
      {u"qvrindex&-3", false, -1, -1, -1, -1, false, u"-3"},
      {u"qvrindexx&3", false},
      {u"qvrsql&3", false},
      {u"", false},
      {u"&", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
    IndexObjectName parsed;
    ASSERT_EQ(ParseIndexObjectName(W(c.name), &parsed), c.accepted);
    if (!c.accepted) continue;
    EXPECT_EQ(parsed.table, c.table);
    EXPECT_EQ(parsed.keyTable, c.keyTable);
    EXPECT_EQ(parsed.keyTag, c.keyTag);
    EXPECT_EQ(parsed.entry, c.entry);
    EXPECT_EQ(parsed.ideogram, c.ideogram);
    EXPECT_EQ(S(parsed.searchText), c.search);
  }
}

TEST(SqlObjectNames, FieldsByPosition) {
  struct Case {
    std::u16string name;
    bool accepted = false;
    int32_t icon = -1;
    bool markAll = false;
    std::u16string query = u"", recordSet = u"";
  };
  const Case cases[] = {
      {u"qvrsql", true, -1, false, u"", u""},
      {u"qvrsql&224&1&SELECT%20*%20FROM%20'%24tableid%3D3'&mine", true, 224, true,
       u"SELECT * FROM '$tableid=3'", u"mine"},
      {u"qvrsql&0&0&a%26b&x&y", true, 0, false, u"a&b", u"x&y"},
      {u"qvrsql&icon&2&q", true, -1, true, u"q", u""},  // an icon that is not a number is kept
      {u"qvrsql&5", true, 5, false, u"", u""},
      {u"qvrsql&1&0&bad%zz", true, 1, false, u"bad%zz", u""},
      {u"qvrsqlx&1", false},
      {u"qvrindex&1", false},
      {u"qvrsq", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
    SqlObjectName parsed;
    ASSERT_EQ(ParseSqlObjectName(W(c.name), &parsed), c.accepted);
    if (!c.accepted) continue;
    EXPECT_EQ(parsed.iconId, c.icon);
    EXPECT_EQ(parsed.markAllRows, c.markAll);
    EXPECT_EQ(S(parsed.query), c.query);
    EXPECT_EQ(S(parsed.recordSetName), c.recordSet);
  }
}

TEST(ListObjectNames, WordListHistoryAndAudio) {
  int32_t language = 0;
  EXPECT_TRUE(IsWordListObject(W(u"qvrwordlist&1033"), &language));
  EXPECT_EQ(language, 1033);
  EXPECT_TRUE(IsWordListObject(W(u"qvrwordlist"), &language));
  EXPECT_EQ(language, -1);
  EXPECT_FALSE(IsWordListObject(W(u"qvrwordlist&en"), &language));
  EXPECT_FALSE(IsWordListObject(W(u"qvrwordlist&"), &language));
  EXPECT_FALSE(IsWordListObject(W(u"qvrword"), &language));
  EXPECT_TRUE(IsSearchHistoryObject(W(u"qvrsearchhistory")));
  EXPECT_FALSE(IsSearchHistoryObject(W(u"qvrsearch")));
  EXPECT_TRUE(IsAudioType(W(u"audio")));
  EXPECT_FALSE(IsAudioType(W(u"audio2")));
  EXPECT_FALSE(IsAudioType(W(u"Audio")));
  EXPECT_FALSE(IsAudioType(SharedWideString()));
}

// The fragment without its "$".
SharedWideString Name(const SharedWideString& fragment) {
  SharedWideString name;
  name.AssignSubstring(fragment, 1, fragment.length - 1);
  return name;
}

TEST(PageFragments, IndexFragmentsReadBackToTheSameFields) {
  struct Case {
    bool ideogram;
    int32_t table, subTable, word, entry;
    std::u16string recordSet;
    std::u16string written;
  };
  const Case cases[] = {
      {false, 3, -1, 0, -1, u"", u"$qvrindex&3"},
      {true, 0, -1, 0, -1, u"set", u"$qvrideo&0&set"},
      {false, 3, 5, 7, -1, u"", u"$qvrindex&3&5&7"},
      {false, 3, 5, 7, 12, u"my words", u"$qvrindex&3&5&7&12&my words"},
      {false, 65534, 1, 0, 0, u"", u"$qvrindex&65534&1&0&0"},
  };
  for (const Case& c : cases) {
    SharedWideString fragment;
    ASSERT_TRUE(WriteIndexFragment(&fragment, c.ideogram, c.table, c.subTable, c.word, c.entry, W(c.recordSet)));
    EXPECT_EQ(S(fragment), c.written);
    IndexObjectName parsed;
    ASSERT_TRUE(ParseIndexObjectName(Name(fragment), &parsed));
    EXPECT_EQ(parsed.ideogram, c.ideogram);
    EXPECT_EQ(parsed.table, c.table);
    EXPECT_EQ(parsed.keyTable, c.subTable);
    EXPECT_EQ(parsed.keyTag, c.subTable == -1 ? -1 : c.word);
    EXPECT_EQ(parsed.entry, c.entry);
    EXPECT_EQ(S(parsed.searchText), c.recordSet);
  }
  // A record-set name that is a number reads back as the key table, which
  // then lacks its word: the fragment is refused.
  SharedWideString fragment;
  ASSERT_TRUE(WriteIndexFragment(&fragment, false, 3, -1, 0, -1, W(u"42")));
  IndexObjectName parsed;
  EXPECT_FALSE(ParseIndexObjectName(Name(fragment), &parsed));
  ASSERT_TRUE(WriteIndexFragment(&fragment, false, 3, 5, 7, 9, W(u"42")));
  ASSERT_TRUE(ParseIndexObjectName(Name(fragment), &parsed));
  EXPECT_TRUE(parsed.searchText.IsEmpty()) << "a number in the last field is no record-set name";
}

TEST(PageFragments, QueryAndListFragmentsReadBack) {
  SharedWideString fragment;
  const std::u16string query = u"SELECT * FROM '$tableid=3' WHERE orth LIKE 'a&b+c#%'";
  ASSERT_TRUE(WriteSqlFragment(&fragment, true, 232, true, W(query), W(u"set")));
  EXPECT_EQ(S(fragment).find_first_of(u"#$ ", 1), std::u16string::npos) << "escaped";
  SqlObjectName parsed;
  ASSERT_TRUE(ParseSqlObjectName(Name(fragment), &parsed));
  EXPECT_EQ(parsed.iconId, 232);
  EXPECT_TRUE(parsed.markAllRows);
  EXPECT_EQ(S(parsed.query), query);
  EXPECT_EQ(S(parsed.recordSetName), u"set");
  ASSERT_TRUE(WriteSqlFragment(&fragment, false, 232, true, W(u"q"), SharedWideString()));
  EXPECT_EQ(S(fragment), u"$qvrsql&0&0&q");

  int32_t language = 0;
  ASSERT_TRUE(WriteWordListFragment(&fragment, 1036));
  EXPECT_EQ(S(fragment), u"$qvrwordlist&1036");
  EXPECT_TRUE(IsWordListObject(Name(fragment), &language));
  EXPECT_EQ(language, 1036);
  ASSERT_TRUE(WriteSearchHistoryFragment(&fragment));
  EXPECT_TRUE(IsSearchHistoryObject(Name(fragment)));
}

}  // namespace
