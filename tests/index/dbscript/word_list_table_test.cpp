// Word-list tables: one per language named by its tag, found again rather
// than made twice, the six columns added once and in their order (only when
// asked), a language without a tag refused, and the read-only mark taken
// from the database's file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "index/database/database.h"
#include "index/dbscript/word_list_table.h"
#include "platform/files/files.h"
#include "platform/memory/allocator.h"
#include "tests/support/palm_database_builder.h"

namespace {

std::u16string S(const SharedWideString& text) {
  return text.length == 0 ? std::u16string() : std::u16string(text.Chars(), text.length);
}

std::vector<std::pair<std::u16string, int32_t>> Columns(ObjectTable* table) {
  std::vector<std::pair<std::u16string, int32_t>> out;
  for (int32_t c = table->FirstColumn(); c >= 0; c = table->NextColumn(c)) {
    out.emplace_back(S(table->GetColumn(c)->name), table->GetColumn(c)->type);
  }
  return out;
}

TEST(WordListTable, OnePerLanguageWithItsColumns) {
  DatabasePtr db;
  db.Adopt(DeviceNew<Database>());
  SharedWideString name;
  ASSERT_TRUE(WordListTableName(0x0409, &name));
  EXPECT_EQ(S(name), u"wl_en-us");

  const int32_t bare = OpenWordListTable(db.Get(), 0x040C, false);
  ASSERT_GE(bare, 0);
  EXPECT_TRUE(Columns(db->GetTable(bare)).empty()) << "no columns unless asked";

  const int32_t english = OpenWordListTable(db.Get(), 0x0409, true);
  ASSERT_GE(english, 0);
  const std::vector<std::pair<std::u16string, int32_t>> expected = {
      {u"orth", 0}, {u"dict", 6}, {u"icon", 5}, {u"formatted", 0}, {u"ent", 2}, {u"shortid", 0}};
  EXPECT_EQ(Columns(db->GetTable(english)), expected);
  EXPECT_EQ(OpenWordListTable(db.Get(), 0x0409, true), english) << "found, not made again";
  EXPECT_EQ(Columns(db->GetTable(english)), expected) << "columns added once";
  EXPECT_EQ(db->TableCount(), 2u);

  EXPECT_EQ(OpenWordListTable(db.Get(), 0x03FF, true), -1) << "a language without a tag";
  EXPECT_EQ(OpenWordListTable(nullptr, 0x0409, true), -1);
  EXPECT_EQ(db->TableCount(), 2u);
}

TEST(WordListTable, ReadOnlyFollowsTheFile) {
  DatabasePtr db;
  db.Adopt(DeviceNew<Database>());
  EXPECT_FALSE(IsDatabaseReadOnly(db.Get())) << "no file";
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\words.ebase", {1, 2, 3}));
  ASSERT_TRUE(db->SetPath(u"\\words.ebase"));
  EXPECT_FALSE(IsDatabaseReadOnly(db.Get()));
  ASSERT_TRUE(SetFileAttributesW(u"\\words.ebase", FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(IsDatabaseReadOnly(db.Get()));
}

}  // namespace
