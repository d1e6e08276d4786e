// Index record sets driven by scripts: walking a query result, the head
// word, the format text and the formatted line, fields through the naming
// table and key tables, field objects that keep their entry, link texts, and
// the statuses of misuse.
#include "index/recordsets/record_set.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/index/index_test_books.h"
#include "tests/support/fake_script_host.h"

using namespace indextest;
using testbuild::IndexEntry;
using testbuild::IndexRecipe;

namespace {

struct RecordSetBook {
  IndexBook book;
  IndexTablePtr main;
  uint32_t mainHeader = 0;
};

// "main": apple (position 100, template, two definitions, a property of two
// positions, a colour from the key table, a field without a value kind),
// bear (position 200, one definition, a template with the key-table colour
// green), cat (no position). "colour": green,
// red. The naming table names def, gram and pos for main, the key table
// colour, and under main's name the colour field of the key table.
RecordSetBook MakeBook(bool withNaming = true) {
  IndexRecipe main;
  main.name = Bytes("main");
  IndexEntry apple;
  apple.label = Bytes("apple");
  apple.values[1] = {100};
  apple.values[5] = {testbuild::AddIndexText(main, std::string("orth': 'def|, |"))};
  apple.values[6] = {testbuild::AddIndexText(main, std::string("fruit")), testbuild::AddIndexText(main, std::string("red"))};
  apple.values[7] = {300, 400};
  apple.values[8] = {1};
  apple.values[9] = {5};
  IndexEntry bear;
  bear.label = Bytes("bear");
  bear.values[1] = {200};
  // A template naming a key-table field: it compiles through the record
  // set's field resolution and renders the key table's label.
  bear.values[5] = {testbuild::AddIndexText(main, std::string("orth' - 'colour"))};
  bear.values[6] = {testbuild::AddIndexText(main, std::string("animal"))};
  bear.values[8] = {0};
  IndexEntry cat;
  cat.label = Bytes("cat");
  cat.values[6] = {testbuild::AddIndexText(main, std::string("pet"))};
  main.entries = {apple, bear, cat};
  IndexRecipe colour;
  colour.name = Bytes("colour");
  IndexEntry green;
  green.label = Bytes("green");
  green.values[6] = {0};
  IndexEntry red;
  red.label = Bytes("red");
  red.values[6] = {0};
  colour.entries = {green, red};

  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText("Words.", 1252);
  testbuild::BuiltBook built = testbuild::BuildBook(recipe);
  const uint32_t base = testbuild::BookRecordBase(built);
  const uint32_t h = testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(main), 0);
  const uint32_t k = testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(colour), -1);
  if (withNaming) {
    IndexRecipe naming;
    naming.valuesPerItem[11] = 3;
    auto name = [&](const char* field, std::vector<uint32_t> items) {
      IndexEntry e;
      e.label = Bytes(field);
      e.values[11] = items;
      naming.entries.push_back(e);
    };
    IndexEntry key;  // the key table by name (tag 2: its record)
    key.label = Bytes("colour");
    key.values[2] = {k - base};
    naming.entries.push_back(key);
    name("def", {0, h - base, 6});
    name("gram", {2, h - base, 9});
    name("main", {0, k - base, 8});
    name("pos", {3, h - base, 7});
    testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(naming), 7);
  }
  RecordSetBook b{OpenIndexBook(built.Bytes()), {}, h};
  b.main = b.book.Table(u"special_table=default");
  // The address the loader would have kept: links to entries carry it.
  Url address;
  EXPECT_TRUE(address.Parse(SharedWideString(u"dict.prc"), false));
  if (b.book.source) b.book.source->SetUrl(address);
  return b;
}

class RecordSetTest : public ::testing::Test {
 protected:
  // A record set over every entry of main, at the entry, as the script's rs.
  void Open(int32_t entry, bool withNaming = true) { OpenOn(MakeBook(withNaming), entry); }

  void OpenOn(RecordSetBook book, int32_t entry) {
    book_ = std::move(book);
    ASSERT_TRUE(book_.main);
    result_.Adopt(new IndexQueryResult());
    result_->SetTable(book_.main.Get());
    ScriptValueHandle value = kScriptEmptyHandle;
    ASSERT_EQ(result_->CreateRecordSet(RecordPosition::Of(entry), &context_.store, &value), 0);
    ScriptNameToken token;
    token.SetChars(u"rs", 2);
    ScriptMemberRef ref;
    ref.owner = context_.host;
    int32_t status = kScriptOk;
    context_.host->ResolveMember(&status, token, &ref, 1);
    context_.host->SetMemberValue(&status, ref, &context_.store, value);
    context_.store.Release(&value);
  }

  std::string Script(const std::u16string& text) {
    ScriptRunOutcome r = context_.Run(text);
    if (!r.compiled) return "not compiled";
    std::string out(r.output.begin(), r.output.end());
    if (r.status != kScriptOk) out += "status " + std::to_string(r.status);
    return out;
  }

  std::string Link(const std::string& tail) {
    return "##-pos" + tail.substr(0, tail.find('|')) + "-tableid" + std::to_string(book_.mainHeader) + "-entry" +
           tail.substr(tail.find('|') + 1);
  }

  RecordSetBook book_;
  IndexQueryResultPtr result_;
  ScriptTestContext context_;
};

TEST_F(RecordSetTest, WalksTheResult) {
  Open(0);
  EXPECT_EQ(Script(u"Write(rs.orth + ' ' + rs.BOF + ' ' + rs.EOF); rs.MoveNext(); Write(rs.orth);"
                   u"rs.MoveNext(); Write(rs.orth); rs.MoveNext(); Write(rs.BOF + ' ' + rs.EOF);"
                   u"rs.MovePrevious(); Write(rs.EOF);"  // past the end stays past the end
                   u"rs.MoveFirst(); rs.MovePrevious(); Write(rs.BOF + ' ' + rs.EOF);"
                   u"rs.MoveNext(); Write(rs.orth); rs.MoveNext(); rs.MovePrevious(); Write(rs.orth);"
                   u"Write(rs + ' ' + rs.gramgrp);"),
            "apple false false\nbear\ncat\nfalse true\ntrue\ntrue false\napple\napple\n[Object RecordSet] null\n");
  EXPECT_EQ(Script(u"rs.MoveFirst(); rs.MoveNext(); rs.MoveNext(); rs.MoveNext(); x = '' + rs.orth;"), "status 28");
  EXPECT_EQ(Script(u"rs.MoveFirst(); rs.MovePrevious(); x = '' + rs.orth;"), "status 28");
}

TEST_F(RecordSetTest, FieldsThroughTheNamingTableAndKeyTables) {
  Open(0);
  EXPECT_EQ(Script(u"Write(rs.def + ' ' + rs.colour + ' ' + rs.pos + ' ' + rs.gram);"
                   u"Write(rs.format); Write(rs.Formatted());"),
            "fruit red [Object RecordSetProperty] undefined\north': 'def|, |\napple: fruit, red\n");
  EXPECT_EQ(Script(u"rs.MoveNext(); Write(rs.def + ' ' + rs.pos + ' ' + rs.Formatted());"), "animal null bear - green\n");
  EXPECT_EQ(Script(u"x = '' + rs.nothing;"), "status 4");
}

TEST_F(RecordSetTest, FieldObjectsKeepTheirEntry) {
  Open(0);
  EXPECT_EQ(Script(u"f = rs.Fields('def'); Write(f.Count + ' ' + f.Value + ' ' + f[1] + ' ' + f[2] + ' ' + f);"
                   u"rs.MoveNext(); Write(rs.orth + ' ' + f.Value + ' ' + rs.def);"
                   u"rs.MoveNext(); rs.MoveNext(); Write(rs.EOF + ' ' + f[1]);"
                   u"Write(rs.Fields('nothing'));"),
            "2 fruit red null [Object RecordSetField]\nbear fruit animal\ntrue red\nnull\n");
}

TEST_F(RecordSetTest, LinkTexts) {
  Open(0);
  const std::string url = "dict.prc";
  EXPECT_EQ(Script(u"Write(rs.anchor); Write(rs.url); Write(rs.pos.anchor);"
                   u"p = rs.Fields('pos'); Write(p[1].anchor); Write(p.Value.url); Write(p.Count);"),
            Link("100|0") + "\n" + url + Link("100|0") + "\n" + Link("300|0-sub7") + "\n" + Link("400|0-sub7.1") +
                "\n" + url + Link("300|0-sub7.0") + "\n2\n");
  // Entries without a position, and fields that are no properties.
  EXPECT_EQ(Script(u"rs.MoveNext(); rs.MoveNext(); x = '' + rs.anchor;"), "status 28");
  EXPECT_EQ(Script(u"x = '' + rs.def.anchor;"), "status 4");
  EXPECT_EQ(Script(u"x = '' + rs.Fields('def')[0].anchor;"), "status 4");
}

TEST_F(RecordSetTest, FindingHeadWords) {
  Open(0);
  EXPECT_EQ(Script(u"Write(rs.FindFirst('orth', 'cat') + ' ' + rs.orth);"
                   u"Write(rs.FindNext('orth', 'cat') + ' ' + rs.EOF);"
                   u"Write(rs.FindFirst('orth', 'bear') + ' ' + rs.orth);"
                   u"Write(rs.FindFirst('orth', 'cow') + ' ' + rs.EOF);"),
            "true cat\nfalse true\ntrue bear\nfalse true\n");
}

TEST_F(RecordSetTest, StatusesOfMisuse) {
  const struct {
    const char16_t* script;
    const char* answer;
  } cases[] = {
      {u"rs.MoveNext(1);", "status 9"},
      {u"rs.FindFirst('orth');", "status 9"},
      {u"rs.FindFirst('def', 'x');", "status 15"},
      {u"rs.Infl();", "status 9"},
      {u"rs.Fields();", "status 9"},
      {u"rs.MoveLast();", "status 4"},
      {u"x = '' + rs.Fields('def').nothing;", "status 4"},
  };
  for (const auto& c : cases) {
    Open(0);
    const std::u16string script = c.script;
    EXPECT_EQ(Script(c.script), c.answer) << std::string(script.begin(), script.end());
  }
  // A refused move does not move.
  Open(0);
  EXPECT_EQ(Script(u"rs.MoveNext(1);"), "status 9");
  EXPECT_EQ(Script(u"Write(rs.orth + ' ' + rs.language);"), "apple en-us\n");
}

TEST_F(RecordSetTest, WithoutANamingTable) {
  Open(1, false);
  EXPECT_EQ(Script(u"Write(rs.orth); Write(rs.Formatted());"), "bear\nundefined\n");
  EXPECT_EQ(Script(u"x = '' + rs.def;"), "status 4");
  EXPECT_EQ(Script(u"rs.Fields('def');"), "status 9");
}

// "chat" (class 1) and "cheval" (class 3) with an inflection table: class 1
// makes plurals with "-s", class 3 turns a final "al" into "aux".
RecordSetBook InflectionBook() {
  IndexRecipe main;
  auto word = [](const char* label, uint32_t inflectionClass) {
    IndexEntry e;
    e.label = Bytes(label);
    e.values[42] = {inflectionClass};
    return e;
  };
  main.entries = {word("chat", 1), word("cheval", 3)};
  IndexRecipe rules;
  rules.indexType = 2;
  auto rule = [&](std::vector<uint8_t> label, uint32_t inflectionClass) {
    IndexEntry e;
    e.label = std::move(label);
    e.values[27] = {inflectionClass};
    e.values[5] = {testbuild::AddIndexText(rules, std::string("pluriel"))};
    e.values[26] = {0};
    return e;
  };
  rules.entries = {rule({2, 's'}, 1), rule({2, 'x', 'u', 'a', 3, 'l', 'a'}, 3)};
  RecordSetBook b{OpenIndexBook({{testbuild::BuildIndexRecords(main), 0}, {testbuild::BuildIndexRecords(rules), 6}}),
                  {}, 0};
  b.main = b.book.Table(u"special_table=default");
  return b;
}

TEST_F(RecordSetTest, InflectedFormsOfTheCurrentEntry) {
  OpenOn(InflectionBook(), 0);
  EXPECT_EQ(Script(u"Write(rs.Infl('pluriel')); rs.MoveNext(); Write(rs.Infl('pluriel') + '|' + rs.Infl('autre'));"
                   u"rs.MoveNext(); Write(rs.EOF + '|' + rs.Infl('pluriel'));"),
            "chats\nchevaux|\ntrue|\n");
}

TEST_F(RecordSetTest, MadeBeforeTheStartAndPastTheEnd) {
  Open(-1);
  EXPECT_EQ(Script(u"Write(rs.BOF + ' ' + rs.EOF); rs.MoveNext(); Write(rs.orth);"), "true false\napple\n");
  Open(-2);
  EXPECT_EQ(Script(u"Write(rs.BOF + ' ' + rs.EOF);"), "false true\n");
}

}  // namespace
