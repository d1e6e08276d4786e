// Entry lines: templates of literals, quoted letters, doubled quotes, the
// head word with its homograph mark, naming-table fields with separators,
// failed compiles, entries without a template, and one compile per shared
// template.
#include <gtest/gtest.h>

#include "index/templates/entry_formatter.h"
#include "tests/index/index_test_books.h"

using namespace indextest;
using testbuild::IndexEntry;
using testbuild::IndexRecipe;

namespace {

struct TemplateEntry {
  const char* word;
  const char* templateText;  // null: no template
  std::vector<std::string> definitions;
  uint32_t homograph = 0;
  uint32_t removed = 0;  // tag 3
};

struct FormatterBook {
  IndexBook book;
  IndexTablePtr main;
  IndexTablePtr naming;
};

FormatterBook MakeBook(const std::vector<TemplateEntry>& entries) {
  IndexRecipe main;
  std::map<std::string, uint32_t> templates;
  for (const TemplateEntry& t : entries) {
    IndexEntry e;
    e.label = Bytes(t.word);
    if (t.templateText != nullptr) {
      auto it = templates.find(t.templateText);
      if (it == templates.end())
        it = templates.emplace(t.templateText, testbuild::AddIndexText(main, std::string(t.templateText))).first;
      e.values[5] = {it->second};
    }
    for (const std::string& d : t.definitions) e.values[6].push_back(testbuild::AddIndexText(main, d));
    if (t.homograph != 0) e.values[4] = {t.homograph << 5};
    if (t.removed != 0) e.values[3] = {t.removed};
    main.entries.push_back(e);
  }
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText("Words.", 1252);
  testbuild::BuiltBook built = testbuild::BuildBook(recipe);
  const uint32_t h = testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(main), 0);
  IndexRecipe naming;
  naming.valuesPerItem[11] = 3;
  IndexEntry def;
  def.label = Bytes("def");
  def.values[11] = {0, h - testbuild::BookRecordBase(built), 6};
  naming.entries.push_back(def);
  IndexEntry other;
  other.label = Bytes("elsewhere");
  other.values[11] = {0, 9999, 6};  // another table's field
  naming.entries.push_back(other);
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(naming), 7);
  FormatterBook result{OpenIndexBook(built.Bytes()), {}, {}};
  result.main = result.book.Table(u"special_table=default");
  result.naming = result.book.Table(u"special_table=naming");
  return result;
}

std::u16string Format(EntryFormatter& f, IndexTable* table, int32_t n) {
  SharedWideString text;
  f.FormatEntry(&text, table->MakeEntryRef(n), nullptr, 0);
  return std::u16string(text.Chars() ? text.Chars() : u"", text.length);
}

TEST(EntryFormatter, TemplatesRenderAsWritten) {
  FormatterBook b = MakeBook({
      {"apple", "orth", {}},
      {"bear", "orth", {}, 2},
      {"cat", "orth", {}, 5},
      {"dog", "orth' is 'def", {"a friend"}},
      {"eel", "orth'''s': def|, |", {"long", "slippery", "wet"}},
      {"fig", "orth: def|, |.", {}},
      {"gnu", nullptr, {"unused"}, 1},
      {"hen", "orth 'unclosed", {}},
      {"ibis", "orth nothing", {}},
      {"jay", "orth = elsewhere", {}},
      {"kiwi", "orth", {}, 0, 9},
  });
  ASSERT_TRUE(b.main && b.naming);
  EntryFormatter f;
  f.Bind(b.main.Get(), b.naming.Get());
  IndexTable* t = b.main.Get();
  EXPECT_EQ(Format(f, t, 0), u"apple");
  EXPECT_EQ(Format(f, t, 1), u"bear\u00B2");
  EXPECT_EQ(Format(f, t, 2), u"cat (5)");
  EXPECT_EQ(Format(f, t, 3), u"dog is a friend");
  EXPECT_EQ(Format(f, t, 4), u"eel's: long, slippery, wet");
  EXPECT_EQ(Format(f, t, 5), u"fig: .");
  EXPECT_EQ(Format(f, t, 6), u"gnu\u00B9");  // no template: the head word with its mark
  EXPECT_EQ(Format(f, t, 7), u"error:incorrect identifier");
  EXPECT_EQ(Format(f, t, 8), u"error:incorrect identifier");  // "nothing" is no field
  EXPECT_EQ(Format(f, t, 9), u"error:incorrect identifier");  // a field of another table
  EXPECT_EQ(Format(f, t, 10), u"");  // more removed than the label holds: empty
  SharedWideString head;
  EXPECT_TRUE(f.GetHeadWord(&head, t->MakeEntryRef(1)));
  EXPECT_EQ(Narrow(head), "bear");
}

TEST(EntryFormatter, ASharedTemplateCompilesOnceAndAFailedOneStaysFailed) {
  FormatterBook b = MakeBook({
      {"apple", "orth: def", {"red"}},
      {"bear", "orth: def", {"brown"}},
      {"cat", "orth 'open", {}},
      {"dog", "orth 'open", {}},
  });
  ASSERT_TRUE(b.main);
  EntryFormatter f;
  f.Bind(b.main.Get(), b.naming.Get());
  EXPECT_EQ(Format(f, b.main.Get(), 0), u"apple: red");
  EXPECT_EQ(Format(f, b.main.Get(), 1), u"bear: brown");
  EXPECT_EQ(f.Compilations(), 1u);
  EXPECT_EQ(Format(f, b.main.Get(), 2), u"error:incorrect identifier");
  EXPECT_EQ(Format(f, b.main.Get(), 3), u"error:incorrect identifier");
  EXPECT_EQ(f.Compilations(), 2u);
}

TEST(RecordTemplate, SyntaxOnlyAndTheKeyFieldFirst) {
  RecordTemplate t;
  const std::u16string ok = u"orth' x '|";
  EXPECT_EQ(t.Compile(ok.data(), static_cast<uint32_t>(ok.size()), nullptr, 0, nullptr, 0, false), 0);
  EXPECT_EQ(t.TokenCount(), 0u);  // nothing stored without the build flag
  const std::u16string trailing = u"orth'";
  EXPECT_EQ(t.Compile(trailing.data(), 5, nullptr, 0, nullptr, 0, false), 1);
  const std::u16string noClose = u"orth|, ";
  EXPECT_EQ(t.Compile(noClose.data(), 7, nullptr, 0, nullptr, 0, true), 1);
}

}  // namespace
