// sql_execute and OpenDatabase of the host object base over a document's
// data services: a query's record set walked from a script, the query's
// failure codes, and a database made, saved and opened again from its file.
#include <gtest/gtest.h>

#include <string>

#include "index/dbscript/book_data_services.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/frames/scope_chain.h"
#include "script/host/script_host_object.h"
#include "script/interpreter/interpreter.h"
#include "script/interpreter/interpreter_builtins.h"
#include "script/interpreter/script_run.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"
#include "tests/index/index_test_books.h"

using testbuild::IndexEntry;
using testbuild::IndexRecipe;

namespace {

class BookHost : public ScriptHostObject {
 public:
  explicit BookHost(DocumentSource* source) : services_(source) {}
  ScriptAppEnvironment* GetAppEnvironment(int32_t, int32_t) override { return nullptr; }
  ScriptDocumentContext* GetDocumentContext() override { return nullptr; }
  ScriptDataServices* GetDataServices() override { return &services_; }

 private:
  BookDataServices services_;
};

// "words": ant, cab, cat, dog, named in the naming table.
indextest::IndexBook MakeBook() {
  std::vector<testbuild::DictionaryWord> words;
  for (const char* w : {"ant", "cab", "cat", "dog"}) words.push_back({w, "d"});
  IndexRecipe main = testbuild::DictionaryIndex(words);
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText("Words.", 1252);
  testbuild::BuiltBook built = testbuild::BuildBook(recipe);
  const uint32_t base = testbuild::BookRecordBase(built);
  const uint32_t h = testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(main), 0);
  IndexRecipe naming;
  IndexEntry table;
  table.label = indextest::Bytes("words");
  table.values[1] = {h - base};
  naming.entries = {table};
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(naming), 7);
  return indextest::OpenIndexBook(built.Bytes());
}

class DataServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chain_.SetStore(&store_);
    int32_t status = kScriptOk;
    ASSERT_EQ(*InstallBuiltinObjects(&interpreter_, &status, &store_, &global_, &host_), kScriptOk);
    ASSERT_EQ(*chain_.PushValue(&status, global_, true), kScriptOk);
  }
  void TearDown() override {
    chain_.Clear();
    store_.Release(&global_);
    host_.ReleaseMembers();
  }

  // The text of the script's variable `out`, or the status the run ended with.
  std::string Run(const std::u16string& text) {
    CompiledScript* script = new CompiledScript();
    script->AddReference();
    ScriptCompileError compileError;
    int32_t status = kScriptOk;
    SharedWideString source;
    source.FromChars(text.data(), static_cast<uint32_t>(text.size()));
    if (!CompileScript(source, script, &compileError)) {
      status = kScriptCannotParse;
    } else {
      RunCompiledScript(&interpreter_, &status, script, chain_, &store_, global_, nullptr, nullptr);
    }
    script->Release();
    if (status != kScriptOk) return "status " + std::to_string(status);
    const int32_t index = host_.FindMember(SharedWideString(u"out"));
    if (index < 0) return "<none>";
    SharedWideString value;
    store_.ToString(&status, host_.MemberValue(static_cast<uint32_t>(index)), &value, 0);
    return indextest::Narrow(value);
  }

  indextest::IndexBook book_ = MakeBook();
  ScriptValueStore store_;
  ScriptInterpreter interpreter_;
  BookHost host_{book_.source.Get()};
  ScriptValueHandle global_ = kScriptEmptyHandle;
  ScriptScopeChain chain_;
};

TEST_F(DataServicesTest, QueriesAnswerRecordSets) {
  EXPECT_EQ(Run(u"rs = sql_execute(\"select * from words where orth like 'c%'\"); out = '';"
                u"while (!rs.EOF) { out += rs.orth + ' '; rs.MoveNext(); }"),
            "cab cat ");
  EXPECT_EQ(Run(u"rs = sql_execute(\"select * from words where orth like 'x%'\"); out = rs.EOF + ' ' + rs.BOF;"),
            "true false");
  EXPECT_EQ(Run(u"sql_execute('select from');"), "status 19");
  EXPECT_EQ(Run(u"sql_execute('select * from nothing');"), "status 20");
  EXPECT_EQ(Run(u"sql_execute();"), "status 13");
}

TEST_F(DataServicesTest, DatabasesOpenFromTheirFiles) {
  EXPECT_EQ(Run(u"db = OpenDatabase('\\\\notes.ebase'); db.CreateTable('notes'); db.AddField('notes', 'n', 2);"
                u"rs = db.OpenTable('notes'); rs.AddNew(); rs.n = 7; rs = null; out = db.Save();"),
            "");
  EXPECT_EQ(Run(u"db2 = OpenDatabase('\\\\notes.ebase'); rs = db2.OpenTable('notes'); out = rs.n + ' ' + db2;"),
            "7 [Object Database]");
  EXPECT_EQ(Run(u"OpenDatabase();"), "status 13");
}

}  // namespace
