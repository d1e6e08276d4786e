// Word search: elided articles by language, the exact entry and its equal
// neighbours, links replaced by their targets, rule search reducing
// inflected forms, form lists, and compounds split into a key and a rest.
#include <gtest/gtest.h>

#include "index/tables/index_table.h"
#include "index/words/word_search.h"
#include "tests/index/index_test_books.h"

using namespace indextest;
using testbuild::IndexEntry;
using testbuild::IndexRecipe;

namespace {

IndexEntry Word(const char* label, std::map<uint8_t, std::vector<uint32_t>> values = {}) {
  IndexEntry e;
  e.label = Bytes(label);
  e.values = std::move(values);
  e.values[1] = {static_cast<uint32_t>(e.label.size())};
  return e;
}

IndexRecipe MainIndex(uint32_t language, std::vector<IndexEntry> entries) {
  IndexRecipe recipe;
  recipe.language = language;
  recipe.ordt = testbuild::CaseFoldingOrdt();
  recipe.entries = std::move(entries);
  recipe.entriesPerRecord = 3;
  return recipe;
}

std::vector<std::string> Labels(IndexTable* table, const IndexRefList& list) {
  std::vector<std::string> out;
  for (uint32_t i = 0; i < list.Count(); ++i) {
    SharedWideString label;
    table->GetLabel(list[i], &label);
    out.push_back(Narrow(label));
  }
  return out;
}

std::vector<std::string> Search(IndexTable* table, const std::u16string& word, WordSearchFlags flags = {}) {
  IndexRefList list;
  SearchText(table, word.data(), static_cast<uint32_t>(word.size()), &list, flags);
  return Labels(table, list);
}

using Words = std::vector<std::string>;

TEST(WordSearch, AnElidedArticleIsDroppedExceptInEnglish) {
  for (uint32_t language : {0x040Cu, 0x0409u}) {
    IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(MainIndex(
                                         language, {Word("ami"), Word("chat"), Word("lchat"), Word("oiseau")})),
                                     0}});
    IndexTablePtr table = book.Table(u"special_table=default");
    ASSERT_TRUE(table);
    if (language == 0x040C) {
      EXPECT_EQ(Search(table.Get(), u"l'ami"), Words{"ami"});
      EXPECT_EQ(Search(table.Get(), u"l\u2019ami"), Words{"ami"});
    } else {
      // The apostrophe weighs nothing: "l'chat" is "lchat", as typed.
      EXPECT_EQ(Search(table.Get(), u"l'chat"), Words{"lchat"});
      EXPECT_EQ(Search(table.Get(), u"l'ami"), Words{});
    }
  }
}

TEST(WordSearch, EqualKeysAndLinksToOtherEntries) {
  // "Chat" links (tag 25) to entry 3, "oiseau".
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(MainIndex(
                                       0x040C, {Word("ami"), Word("chat"), Word("Chat", {{25, {3}}}), Word("oiseau")})),
                                   0}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  EXPECT_EQ(Search(table.Get(), u"CHAT"), (Words{"chat", "oiseau"}));
  EXPECT_EQ(Search(table.Get(), u"oiseau"), Words{"oiseau"});  // listed once
}

IndexRecipe RuleTable() {
  IndexRecipe rules;
  rules.indexType = 2;
  std::vector<std::vector<uint8_t>> labels = {{2, 's'}, {2, 'x', 'u', 'a', 3, 'l', 'a'}, {3, 'z'}};
  std::sort(labels.begin(), labels.end());
  for (const auto& l : labels) {
    IndexEntry e;
    e.label = l;
    e.values[27] = {l[1] == 's' ? 1u : 2u};
    rules.entries.push_back(e);
  }
  return rules;
}

TEST(WordSearch, RuleSearchReducesInflectedForms) {
  IndexBook book = OpenIndexBook(
      {{testbuild::BuildIndexRecords(MainIndex(0x040C, {Word("chat", {{42, {1}}}), Word("cheval", {{42, {2}}}),
                                                        Word("chou", {{42, {7}}})})),
        0},
       {testbuild::BuildIndexRecords(RuleTable()), 6}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  EXPECT_EQ(Search(table.Get(), u"chats"), Words{"chat"});
  EXPECT_EQ(Search(table.Get(), u"chevaux"), Words{"cheval"});
  EXPECT_EQ(Search(table.Get(), u"choux"), Words{});  // the rule's class does not meet the entry's
  WordSearchFlags plain;
  plain.withInflections = false;
  EXPECT_EQ(Search(table.Get(), u"chats", plain), Words{});
}

TEST(WordSearch, FormListsGiveBaseForms) {
  IndexRecipe forms;
  forms.indexType = 2;
  forms.valuesPerItem[7] = 2;
  IndexEntry ies;
  ies.label = Bytes("ies");
  // The group points at the ending's bytes (after the stored length).
  ies.values[7] = {1, testbuild::AddIndexText(forms, std::string("y")) + 1};
  forms.entries.push_back(ies);
  IndexBook book = OpenIndexBook(
      {{testbuild::BuildIndexRecords(MainIndex(0x0409, {Word("pony"), Word("pun")})), 0},
       {testbuild::BuildIndexRecords(forms), 6}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  EXPECT_EQ(Search(table.Get(), u"ponies"), Words{"pony"});
}

TEST(WordSearch, CompoundsSplitIntoKnownParts) {
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(MainIndex(
                                       0x0407, {Word("arbeit"), Word("boot"), Word("fahrt"), Word("haus"), Word("hausboot"),
                                                Word("schiff"), Word("zimmer")})),
                                   0}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  // The rest without its linking "s" is a key: the first part's entries too.
  EXPECT_EQ(Search(table.Get(), u"arbeitszimmer"), (Words{"zimmer", "arbeit"}));
  // A word that is itself a key: no split.
  EXPECT_EQ(Search(table.Get(), u"hausboot"), Words{"hausboot"});
  // A doubled last letter of the head goes in front of the rest.
  EXPECT_EQ(Search(table.Get(), u"schiffahrt"), (Words{"fahrt", "schiff"}));
  // English splits only when both flags ask for it.
  IndexBook english = OpenIndexBook(
      {{testbuild::BuildIndexRecords(MainIndex(0x0409, {Word("boat"), Word("house")})), 0}});
  IndexTablePtr en = english.Table(u"special_table=default");
  EXPECT_EQ(Search(en.Get(), u"houseboat"), Words{});
  WordSearchFlags both;
  both.restrictCompounds = true;
  both.forceCompounds = true;
  EXPECT_EQ(Search(en.Get(), u"houseboat", both), (Words{"boat", "house"}));
}

}  // namespace
