// The look-up query translator: the rewritten expression, the trees it
// builds for each form of condition, the grammar's refusals (19), unknown
// tables and fields (20), and results walked end to end.
#include <gtest/gtest.h>

#include "index/query/index_query_translator.h"
#include "script/bytecode/compiled_script.h"
#include "script/bytecode/instruction_set.h"
#include "script/compiler/compiler.h"
#include "tests/index/query/query_test_books.h"
#include "tests/support/palm_database_builder.h"

using namespace querytest;
using testbuild::IndexEntry;
using testbuild::IndexRecipe;

namespace {

struct TranslatorBook {
  indextest::IndexBook book;
  IndexTablePtr main;
  uint32_t mainRecord = 0;
};

// "words" (the main table, with homograph numbers under tag 4 as the field
// gramgrp, and under tag 40 links to "syn" entries) and "syn" (a few of the
// same keys), both named in the naming table; the field syn resolves to tag
// 40 through the pair that the entry of "words" gives the table "syn".
TranslatorBook MakeTranslatorBook() {
  std::vector<testbuild::DictionaryWord> words;
  for (const char* w : {"ant", "bee", "cab", "cat", "cat", "cot", "dog", "o'clock", "tac"}) words.push_back({w, "d"});
  IndexRecipe main = testbuild::DictionaryIndex(words);
  main.name = indextest::Bytes("words");
  main.entries[1].values[40] = {0};  // bee
  main.entries[5].values[40] = {1};  // cot
  IndexRecipe syn = testbuild::DictionaryIndex({{"bee", "s"}, {"cot", "s"}, {"zebra", "s"}});
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText("Words.", 1252);
  testbuild::BuiltBook built = testbuild::BuildBook(recipe);
  const uint32_t base = testbuild::BookRecordBase(built);
  const uint32_t h = testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(main), 0);
  const uint32_t s = testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(syn), -1);
  IndexRecipe naming;
  naming.valuesPerItem[11] = 3;
  naming.valuesPerItem[6] = 2;
  IndexEntry gramgrp;
  gramgrp.label = indextest::Bytes("gramgrp");
  gramgrp.values[11] = {0, h - base, 4};
  IndexEntry synonyms;
  synonyms.label = indextest::Bytes("syn");
  synonyms.values[1] = {s - base};
  IndexEntry wordTable;
  wordTable.label = indextest::Bytes("words");
  wordTable.values[1] = {h - base};
  wordTable.values[6] = {s - base, 40};
  naming.entries = {gramgrp, synonyms, wordTable};
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(naming), 7);
  TranslatorBook b;
  b.book = indextest::OpenIndexBook(built.Bytes());
  b.main = b.book.Table(u"special_table=default");
  b.mainRecord = h;
  return b;
}

struct Translated {
  int32_t status = -1;
  IndexQueryResultPtr result;
  std::string expression;
};

Translated TranslateQuery(TranslatorBook& b, const std::u16string& query) {
  Translated t;
  IndexQueryTranslator translator(b.book.source.Get());
  IndexQueryResult* result = new IndexQueryResult();
  t.status = translator.Translate(SharedWideString(query.c_str()), result);
  t.expression = indextest::Narrow(translator.Expression());
  t.result.Adopt(result);
  return t;
}

std::vector<int32_t> Kinds(IndexQueryResult* r) {
  std::vector<int32_t> kinds;
  for (uint32_t i = 0; i < r->NodeCount(); ++i) kinds.push_back(r->NodeAt(i)->kind);
  return kinds;
}

TEST(QueryTranslator, TreesOfEachForm) {
  TranslatorBook b = MakeTranslatorBook();
  ASSERT_TRUE(b.main);
  const std::string id = std::to_string(b.mainRecord);
  struct Case {
    std::u16string query;
    std::vector<int32_t> kinds;
    std::vector<std::string> labels;
  };
  const Case cases[] = {
      {u"select * from words", {}, {"ant", "bee", "cab", "cat", "cat", "cot", "dog", "o'clock", "tac"}},
      {u"SELECT * FROM words WHERE orth LIKE 'ca%'", {9}, {"cab", "cat", "cat"}},
      {u"select * from words where orth not like 'c%'", {10}, {"ant", "bee", "dog", "o'clock", "tac"}},
      {u"select * from words where orth anagram_of 'tac'", {11}, {"cat", "cat", "tac"}},
      {u"select * from words where orth not anagram_of 'tac'", {12}, {"ant", "bee", "cab", "cot", "dog", "o'clock"}},
      {u"select * from words where orth = 'cat' or orth = 'dog'", {15, 15, 0}, {"cat", "cat", "dog"}},
      {u"select * from words where orth like 'c%' and not orth = 'cat'", {9, 16, 1}, {"cab", "cot"}},
      {u"select * from words where gramgrp is null", {13}, {"ant", "bee", "cab", "cat", "cot", "dog", "o'clock", "tac"}},
      {u"select * from words where gramgrp is not null", {14}, {"cat"}},
      {u"select * from words where syn is not null", {14}, {"bee", "cot"}},
      {u"select * from words where orth = syn", {5}, {"bee", "cot"}},
      {u"select * from words where orth <> syn", {6}, {"ant", "cab", "cat", "cat", "dog", "o'clock", "tac"}},
      {u"select * from words where orth = 'o''clock'", {15}, {"o'clock"}},
      {u"select * from words where orth = '5'", {15}, {}},
      {u"select * from words where orth = 'cat' not", {15}, {"cat", "cat"}},
      // A character that begins no token ends the query.
      {u"select * from words where orth = 'dog' # and anything", {15}, {"dog"}},
      // The index widget's form, and a query joined with its bullet condition.
      {u"SELECT * FROM '$tableid=" + std::u16string(id.begin(), id.end()) + u"' AS tab WHERE tab LIKE 'ca%'",
       {9},
       {"cab", "cat", "cat"}},
      {u"select * from words where orth like 'c%' __qvr_bwhere orth like '%t'", {9, 9, 2}, {"cab", "cat", "cat", "cot"}},
      {u"select * from words __qvr_bwhere orth like '%t'", {9, 3}, {"ant", "bee", "cab", "cat", "cat", "cot", "dog",
                                                                 "o'clock", "tac"}},
  };
  for (const Case& c : cases) {
    Translated t = TranslateQuery(b, c.query);
    SCOPED_TRACE(std::string(c.query.begin(), c.query.end()));
    ASSERT_EQ(t.status, 0) << t.expression;
    EXPECT_EQ(Kinds(t.result.Get()), c.kinds) << t.expression;
    EXPECT_EQ(ForwardLabels(t.result.Get()), c.labels) << t.expression;
  }
}

TEST(QueryTranslator, QuotedSourceIsAnotherBook) {
  TranslatorBook b = MakeTranslatorBook();
  std::vector<testbuild::DictionaryWord> words = {{"x", "d"}, {"xylophone", "d"}, {"yak", "d"}};
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText("Other.", 1252);
  testbuild::BuiltBook other = testbuild::BuildBook(recipe);
  testbuild::AddIndexToBook(other, testbuild::BuildIndexRecords(testbuild::DictionaryIndex(words)), 0);
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\dict.corv", other.Bytes()));
  Translated t = TranslateQuery(b, u"select * from 'dict.corv' as d where d like 'x%'");
  ASSERT_EQ(t.status, 0);
  EXPECT_EQ(ForwardLabels(t.result.Get()), (std::vector<std::string>{"x", "xylophone"}));
  EXPECT_EQ(TranslateQuery(b, u"select * from 'nothing.corv' as d where d like 'x%'").status, 20);
}

// "gram", a table with extra records: the naming table opens it through tag
// 2, and its tag 6 pairs become its record map, which names the tag (45)
// under which its entries list the entries of "words". "other" has a map
// that does not name "words".
TranslatorBook MakeExtraRecordBook() {
  std::vector<testbuild::DictionaryWord> words;
  for (const char* w : {"ant", "bee", "cab", "cat", "dog"}) words.push_back({w, "d"});
  IndexRecipe main = testbuild::DictionaryIndex(words);
  main.name = indextest::Bytes("words");
  IndexRecipe gram;
  IndexEntry noun;
  noun.label = indextest::Bytes("noun");
  noun.values[45] = {0, 1, 3};
  IndexEntry verb;
  verb.label = indextest::Bytes("verb");
  verb.values[45] = {2, 4};
  gram.entries = {noun, verb};
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText("Words.", 1252);
  testbuild::BuiltBook built = testbuild::BuildBook(recipe);
  const uint32_t base = testbuild::BookRecordBase(built);
  const uint32_t h = testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(main), 0);
  const uint32_t g = testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(gram), -1);
  IndexRecipe naming;
  naming.valuesPerItem[6] = 2;
  IndexEntry gramName;
  gramName.label = indextest::Bytes("gram");
  gramName.values[2] = {g - base};
  gramName.values[6] = {h - base, 45};
  IndexEntry otherName;
  otherName.label = indextest::Bytes("other");
  otherName.values[2] = {g - base};
  otherName.values[6] = {h - base + 1000, 45};
  IndexEntry wordsName;
  wordsName.label = indextest::Bytes("words");
  wordsName.values[1] = {h - base};
  naming.entries = {gramName, otherName, wordsName};
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(naming), 7);
  TranslatorBook b;
  b.book = indextest::OpenIndexBook(built.Bytes());
  b.main = b.book.Table(u"special_table=default");
  b.mainRecord = h;
  return b;
}

TEST(QueryTranslator, TablesWithExtraRecordsGiveLinkAndParameterNodes) {
  TranslatorBook b = MakeExtraRecordBook();
  ASSERT_TRUE(b.main);
  const struct {
    const char16_t* query;
    std::vector<int32_t> kinds;
    std::vector<std::string> labels;
  } cases[] = {
      {u"select * from words where gram = 'noun'", {7}, {"ant", "bee", "cat"}},
      {u"select * from words where gram <> 'noun'", {8}, {"cab", "dog"}},
      {u"select * from words where gram = 'adjective'", {7}, {}},  // no such key: an empty list
      {u"select * from words where gram = 'verb' or orth = 'ant'", {7, 15, 0}, {"ant", "cab", "dog"}},
  };
  for (const auto& c : cases) {
    Translated t = TranslateQuery(b, c.query);
    SCOPED_TRACE(indextest::Narrow(SharedWideString(c.query)));
    ASSERT_EQ(t.status, 0) << t.expression;
    EXPECT_EQ(Kinds(t.result.Get()), c.kinds);
    EXPECT_EQ(ForwardLabels(t.result.Get()), c.labels);
  }
  // "?" leaves the list to each use: a parameter node over "gram".
  Translated t = TranslateQuery(b, u"select * from words where gram = ?");
  ASSERT_EQ(t.status, 0) << t.expression;
  IndexQueryResult* r = t.result.Get();
  ASSERT_EQ(Kinds(r), (std::vector<int32_t>{7}));
  ASSERT_EQ(r->CountNegatedNodes(), 1u);
  IndexTablePtr gram;
  gram.Adopt(r->GetLinkedTable(0));
  ASSERT_TRUE(gram);
  IndexEntryRef verb;
  ASSERT_TRUE(gram->LookupKey(u"verb", 4, &verb, false));
  QueryPosition p;
  r->InitPosition(&p);
  ASSERT_EQ(r->GetLinkValues(0, verb, &p), 0);
  std::vector<int32_t> entries = WalkForward(r, &p);
  EXPECT_EQ(Labels(r, entries), (std::vector<std::string>{"cab", "dog"}));
  EXPECT_EQ(r->GetLinkValues(1, verb, &p), 1);  // there is one parameter node only
  r->ClearLinkValues(0, &p);
  EXPECT_TRUE(WalkForward(r, &p).empty());
  // A map that does not name the result table, and "?" against a table
  // without extra records, name nothing: 20.
  EXPECT_EQ(TranslateQuery(b, u"select * from words where other = 'noun'").status, 20);
  EXPECT_EQ(TranslateQuery(b, u"select * from words where words = ?").status, 20);
}

TEST(QueryTranslator, RewrittenExpression) {
  TranslatorBook b = MakeTranslatorBook();
  Translated t = TranslateQuery(b, u"select * from words where orth like 'ab%' and not gramgrp is null");
  EXPECT_EQ(t.status, 0);
  EXPECT_EQ(t.expression, "orth >>> 'ab%' && 1^ gramgrp == __qvr_null ");
  EXPECT_EQ(Kinds(t.result.Get()), (std::vector<int32_t>{9, 14, 1}));
  Translated quoted = TranslateQuery(b, u"select * from words where orth = 'a\\b''c'");
  EXPECT_EQ(quoted.expression, "orth == 'a\\\\b\\'c' ");
  ASSERT_EQ(quoted.result->NodeCount(), 1u);
  const KeyPattern& p = quoted.result->NodeAt(0)->pattern.pattern;
  EXPECT_EQ(std::string(p.bytes, p.bytes + p.length), "a\\b'c");
}

TEST(QueryTranslator, Refusals) {
  TranslatorBook b = MakeTranslatorBook();
  struct Case {
    const char16_t* query;
    int32_t status;
  };
  const Case cases[] = {
      {u"", 19},
      {u"select from words", 19},
      {u"select * from words where orth < 'a'", 19},
      {u"select * from words where orth > 'a'", 19},
      {u"select * from words where count = 5", 19},
      {u"select * from words where", 19},
      {u"select * from words where __qvr_bwhere orth = 'a'", 19},
      {u"select * from words where gramgrp <> null", 19},
      {u"select * from words where orth like", 19},
      {u"select * from 'dict.corv' where orth = 'a'", 19},  // a quoted source needs "as"
      {u"select * from nosuch where orth = 'a'", 20},
      {u"select * from words where nofield is null", 20},
      // A table that the result table lists no entries of is no field.
      {u"select * from words where words is null", 20},
      {u"select * from words where orth = nosuch", 20},
      {u"select * from words where orth = ?", 20},  // the table carries no extra records
  };
  for (const Case& c : cases) {
    IndexQueryResultPtr out;
    out.Adopt(new IndexQueryResult());
    const int32_t status = RunIndexQuery(SharedWideString(c.query), b.book.source.Get(), &out);
    std::u16string q = c.query;
    EXPECT_EQ(status, c.status) << std::string(q.begin(), q.end());
    EXPECT_FALSE(out) << std::string(q.begin(), q.end());
  }
  IndexQueryResultPtr out;
  EXPECT_EQ(RunIndexQuery(SharedWideString(u"select * from words where orth like 'd%'"), b.book.source.Get(), &out), 0);
  ASSERT_TRUE(out);
  EXPECT_EQ(ForwardLabels(out.Get()), (std::vector<std::string>{"dog"}));
}

TEST(QueryTranslator, CompoundAssignmentStaysAnOperator) {
  // The translator reads "+=" as the restricted intersection: the compiler
  // must leave it as one operator over two values.
  CompiledScript script;
  ScriptCompileError error;
  ASSERT_TRUE(CompileScript(SharedWideString(u"a >>> 'x' += b >>> 'y'"), &script, &error));
  std::vector<uint32_t> operators;
  for (uint32_t at = 0; at < script.CodeCount();) {
    const uint32_t word = script.Code()[at];
    if (InstructionOpcode(word) == static_cast<uint32_t>(ScriptOpcode::Operate)) operators.push_back(script.Code()[at + 1]);
    at += 1 + InstructionOperandCount(word);
  }
  EXPECT_EQ(operators, (std::vector<uint32_t>{kOperatorUnsignedShiftRight, kOperatorUnsignedShiftRight,
                                              kOperatorAddAssign}));
}

}  // namespace
