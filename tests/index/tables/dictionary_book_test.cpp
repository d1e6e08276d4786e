// A word list turned into a dictionary book (as bookmake makes one): every
// word is found without regard to case and leads to its definition.
#include <gtest/gtest.h>

#include "index/tables/index_entry_reader.h"
#include "index/templates/entry_formatter.h"
#include "tests/index/index_test_books.h"

using namespace indextest;

TEST(DictionaryBook, WordsLeadToTheirDefinitions) {
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(testbuild::DictionaryIndex(
                                       {{"chat", "un petit f\xC3\xA9lin"}, {"Chien", "le meilleur ami"},
                                        {"ami", "un proche"}, {"chien", "une constellation"}})),
                                   0}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  IndexEntryReader reader;
  ASSERT_TRUE(reader.Init(table.Get()));
  struct Case {
    const char16_t* word;
    int32_t entry;
    std::u16string definition;
  };
  for (Case c : {Case{u"AMI", 0, u"un proche"}, Case{u"chat", 1, u"un petit f\u00e9lin"},
                 Case{u"chien", 2, u"le meilleur ami"}}) {
    IndexEntryRef ref;
    std::u16string w = c.word;
    ASSERT_TRUE(table->LookupKey(w.data(), static_cast<uint32_t>(w.size()), &ref, false));
    EXPECT_EQ(table->GetEntryNumber(ref), c.entry);
    uint32_t span = 0, perItem = 0, position = 0;
    ASSERT_EQ(reader.Attach(ref), 0);
    ASSERT_EQ(reader.SeekTag(6, &span, &perItem), 0);
    ASSERT_EQ(reader.ReadValues(&position, 1, false), 0);
    SharedWideString text;
    ASSERT_TRUE(table->ReadLengthPrefixedText(position, &text));
    EXPECT_EQ(std::u16string(text.Chars(), text.length), c.definition);
  }
  // The second "chien" carries a homograph mark.
  EntryFormatter formatter;
  formatter.Bind(table.Get(), nullptr);
  SharedWideString line;
  formatter.FormatEntry(&line, table->MakeEntryRef(3), nullptr, 0);
  EXPECT_EQ(std::u16string(line.Chars(), line.length), u"chien\u00B2");
}
