// A query result's inflected forms: the entry's classes choose a rule that
// carries the asked form name, the last class served winning; entries
// without classes, names no rule carries and words or entries that are not
// there give nothing.
#include <gtest/gtest.h>

#include "index/query/index_query_result.h"
#include "tests/index/index_test_books.h"

using namespace indextest;
using testbuild::IndexEntry;
using testbuild::IndexRecipe;

namespace {

IndexEntry Word(const char* label, std::vector<uint32_t> classes) {
  IndexEntry e;
  e.label = Bytes(label);
  if (!classes.empty()) e.values[42] = std::move(classes);
  return e;
}

IndexEntry Rule(std::vector<uint8_t> label, std::vector<uint32_t> classes, IndexRecipe& rules,
                std::vector<std::string> names) {
  IndexEntry e;
  e.label = std::move(label);
  e.values[27] = std::move(classes);
  for (const std::string& name : names) {
    e.values[5].push_back(testbuild::AddIndexText(rules, name));
    e.values[26].push_back(static_cast<uint32_t>(e.values[26].size()));
  }
  return e;
}

TEST(InflectedForm, TheLastClassWithARuleOfThatFormNameGivesIt) {
  IndexRecipe main;
  main.entries = {Word("chat", {1}), Word("cheval", {3}), Word("mot", {}), Word("val", {1, 3})};
  IndexRecipe rules;
  rules.indexType = 2;
  // Rule keys in byte order: feminine "-te", plural "-s", plural "al" to "aux".
  rules.entries.push_back(Rule({2, 'e', 't'}, {1}, rules, {"feminin"}));
  rules.entries.push_back(Rule({2, 's'}, {1}, rules, {"pluriel"}));
  rules.entries.push_back(Rule({2, 'x', 'u', 'a', 3, 'l', 'a'}, {3}, rules, {"autre", "pluriel"}));
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(main), 0}, {testbuild::BuildIndexRecords(rules), 6}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  IndexQueryResult* result = new IndexQueryResult();
  result->SetTable(table.Get());

  const struct {
    int32_t entry;
    const char16_t* form;
    const char* text;
  } cases[] = {
      {0, u"pluriel", "chats"},  {0, u"feminin", "chatte"}, {1, u"pluriel", "chevaux"},
      {1, u"autre", "chevaux"},  {1, u"feminin", ""},       // class 3 has no such rule
      {2, u"pluriel", ""},                                   // no classes
      {3, u"pluriel", "vaux"},                               // class 3 after class 1
      {3, u"feminin", "valte"},  {0, u"aucun", ""},         {0, u"", ""},
  };
  for (const auto& c : cases) {
    SharedWideString text;
    text = SharedWideString(u"stale");
    result->GetInflectedForm(SharedWideString(c.form), table->MakeEntryRef(c.entry), &text);
    EXPECT_EQ(Narrow(text), c.text) << c.entry << " " << Narrow(SharedWideString(c.form));
  }
  SharedWideString text;
  result->GetInflectedForm(SharedWideString(u"pluriel"), IndexEntryRef::PastEnd(), &text);
  EXPECT_EQ(Narrow(text), "");
  result->Release();
}

TEST(InflectedForm, WithoutATableOrAnInflectionTableNothing) {
  IndexRecipe main;
  main.entries = {Word("chat", {1})};
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(main), 0}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  IndexQueryResult* result = new IndexQueryResult();
  SharedWideString text;
  result->GetInflectedForm(SharedWideString(u"pluriel"), {1, 0}, &text);
  EXPECT_EQ(Narrow(text), "");
  result->SetTable(table.Get());
  result->GetInflectedForm(SharedWideString(u"pluriel"), {1, 0}, &text);
  EXPECT_EQ(Narrow(text), "");
  result->Release();
}

}  // namespace
