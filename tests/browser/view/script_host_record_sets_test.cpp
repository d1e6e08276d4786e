// The page's record set over a book's index, as scripts see it under
// "__global_recordset", and the seven arguments a record set gives a
// word-list entry.
#include <gtest/gtest.h>

#include "index/books/index_requests.h"
#include "index/tables/index_table.h"
#include "script/values/script_status.h"
#include "tests/browser/view/script_host_fixture.h"
#include "tests/support/index_builder.h"

namespace scripthost {
namespace {

// A book whose default index lists a few words with their definitions.
std::vector<uint8_t> DictionaryBook() {
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText(viewtest::NumberedParagraphs(20), 1252);
  recipe.resourceRecords = 2;
  recipe.databaseName = "Word book";
  recipe.fullName = {'O', 'x'};
  testbuild::BuiltBook built = testbuild::BuildBook(recipe);
  std::vector<testbuild::DictionaryWord> words;
  for (const char* w : {"ant", "bee", "cat"}) words.push_back({w, std::string("about ") + w});
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(testbuild::DictionaryIndex(words)), 0);
  return built.Bytes();
}

class ScriptHostRecordSetsTest : public ScriptHostTest {
 protected:
  void InstallDefaultIndex() {
    ASSERT_TRUE(OpenBook(u"\\words.prc", DictionaryBook()));
    IndexTable* table = OpenIndexTableByNumber(view().GetDocumentSource(), kDefaultIndexTableNumber);
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(view().SetGlobalRecordSource(table, SharedWideString()));
    table->Release();
  }
};

TEST_F(ScriptHostRecordSetsTest, ThePagesRecordSetIsAGlobalOfTheWindow) {
  EXPECT_FALSE(view().InstallRecordSource(nullptr, SharedWideString()));
  InstallDefaultIndex();
  EXPECT_EQ(Run("return typeof __global_recordset;"), "object");
  EXPECT_EQ(Run("return __global_recordset.orth;"), "ant");
  EXPECT_EQ(Run("__global_recordset.MoveNext(); return window.__global_recordset.orth;"), "bee");
  view().ClearGlobalRecordSet();
  EXPECT_EQ(Run("return typeof __global_recordset;"), "undefined");
}

TEST_F(ScriptHostRecordSetsTest, ARecordSetGivesAWordListEntryItsSevenArguments) {
  InstallDefaultIndex();
  view().recording = true;
  ClearCalls();
  EXPECT_EQ(Status("window.add_entry_to_wordlist(__global_recordset);"), kScriptOk);
  const std::vector<std::string> calls = Calls();
  ASSERT_EQ(calls.size(), 1u);
  // The word, its language, the book's database, the index's table (the
  // default index has no name), the entry number, the formatted line (none
  // without a naming table) and the book's short name: its title is shorter
  // than three characters.
  EXPECT_EQ(calls[0],
            "OpenLocationWithRequest oeb:database?name=corvelline_wordlist "
            "window.add_entry_to_wordlist('ant','en-us','Word book','',0,'','Ox')");
  // Anything else in the last place is no record set.
  ClearCalls();
  EXPECT_EQ(Status("window.add_entry_to_wordlist('ant');"), kScriptInvalidType);
  EXPECT_EQ(Status("window.add_entry_to_wordlist(1, 2);"), kScriptInvalidType);
  EXPECT_TRUE(Calls().empty());
  // Past its last entry the record set has no entry number to give.
  EXPECT_EQ(Status("var r = __global_recordset; while (!r.EOF) r.MoveNext(); window.add_entry_to_wordlist(r);"),
            kScriptCannotGet);
  // Without an argument nothing is expanded.
  EXPECT_EQ(Status("window.add_entry_to_wordlist();"), kScriptOk);
}

}  // namespace
}  // namespace scripthost
