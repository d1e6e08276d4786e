// The DUMP file: golden records worked out by hand, save-load-save round
// trips, compacted pool indexes, every corrupt form and its code, counts
// that claim far more than the record holds, and saves whose n-th write
// fails leaving the previous file byte for byte.
#include <gtest/gtest.h>

#include <set>

#include "platform/testing/allocation.h"
#include "tests/index/database/database_test_files.h"

using namespace dbtest;
using testbuild::DumpRecord;

namespace {

TEST(DatabaseFile, EmptyDatabaseIsFifteenBytes) {
  DatabaseHolder d = NewDatabase(u"\\empty.ebase");
  ASSERT_FALSE(d->Save());
  const std::vector<uint8_t> expected = {'D', 'U', 'M', 'P', 0, 0, 0, 12, 0, 0, 0, 1, 0x80, 0x80, 0x80};
  // Named after its file: "empty" (5 bytes) instead of an empty name.
  std::vector<uint8_t> named = DumpRecord().Head().Text("empty").Number(0).Number(0).Bytes();
  EXPECT_EQ(SavedRecord(u"\\empty.ebase"), named);
  d->NameRef()->Clear();
  ASSERT_FALSE(d->Save());
  EXPECT_EQ(SavedRecord(u"\\empty.ebase"), expected);
  DatabaseHolder none = NewDatabase();
  EXPECT_TRUE(none->Save());  // no path
}

// Two tables of every column type, deleted rows and pooled strings that
// only deleted rows named.
DatabaseHolder MakeSample(const std::u16string& path) {
  DatabaseHolder d = NewDatabase(path);
  const int32_t t = d->CreateTable(W(u"words"));
  ObjectTable* words = d->GetTable(t);
  const int32_t text = words->AddColumn(W(u"orth"), kColumnString);
  const int32_t count = words->AddColumn(W(u"count"), kColumnUnsigned);
  const int32_t flag = words->AddColumn(W(u"flag"), kColumnByte);
  const int32_t tag = words->AddColumn(W(u"tag"), kColumnPooledString);
  const char16_t* tags[] = {u"noun", u"gone", u"verb", u"noun"};
  for (int i = 0; i < 4; ++i) {
    const int32_t row = words->AppendEmptyRow();
    words->SetText(row, text, W(i == 2 ? u"" : u"w\u00e9rd"));
    words->SetNumber(row, count, 300u * static_cast<uint32_t>(i));
    if (i != 3) words->SetNumber(row, flag, 0x1FFu);
    words->SetText(row, tag, W(tags[i]));
  }
  words->DeleteRow(1);  // "gone" now names nothing
  const int32_t e = d->CreateTable(W(u"empty"));
  d->GetTable(e)->AddColumn(W(u"a"), kColumnString);
  d->GetTable(e)->DeleteRow(d->GetTable(e)->AppendEmptyRow());
  return d;
}

TEST(DatabaseFile, SampleRecordByHand) {
  DatabaseHolder d = MakeSample(u"\\Storage Card\\Notes.ebase");
  EXPECT_EQ(indextest_name(d->Name()), "Notes");
  ASSERT_FALSE(d->Save());
  DumpRecord r;
  r.Head().Text("Notes").Number(2);
  r.Text("words").Number(4).Number(3).Text("orth").Number(0).Text("count").Number(2).Text("flag").Number(5).Text("tag").Number(6);
  r.Text("empty").Number(1).Number(0).Text("a").Number(0);
  r.Number(2).Text("noun").Text("verb");  // "gone" dropped: verb takes index 1
  r.Number(0).Text("w\xc3\xa9rd").Number(0).Number(0xFF).Number(0);
  r.Number(0).Text("").Number(600).Number(0xFF).Number(1);
  r.Number(4).Text("w\xc3\xa9rd").Number(900).Number(0);  // flag null: mask bit 2
  EXPECT_EQ(SavedRecord(u"\\Storage Card\\Notes.ebase"), r.Bytes());
}

TEST(DatabaseFile, SaveLoadSaveGivesTheSameRecord) {
  DatabaseHolder d = MakeSample(u"\\a.ebase");
  ASSERT_FALSE(d->Save());
  const std::vector<uint8_t> first = SavedRecord(u"\\a.ebase");
  ASSERT_FALSE(d->Save());
  EXPECT_EQ(SavedRecord(u"\\a.ebase"), first);  // twice in a row
  DatabaseHolder loaded;
  ASSERT_EQ(LoadFile(u"\\a.ebase", &loaded), 0);
  loaded->SetPath(u"\\b.ebase");
  ASSERT_FALSE(loaded->Save());
  EXPECT_EQ(SavedRecord(u"\\b.ebase"), first);
  ObjectTable* words = loaded->GetTable(loaded->FindTable(W(u"words")));
  ASSERT_NE(words, nullptr);
  EXPECT_EQ(words->CountRows(), 3u);
  EXPECT_TRUE(words->IsNull(2, 2));
  EXPECT_EQ(words->GetNumber(1, 1), 600u);
  EXPECT_EQ(words->GetText(2, 3)->CompareTo(W(u"noun")), 0);
  EXPECT_EQ(loaded->Pool().ReferenceCount(static_cast<uint32_t>(words->GetPooledIndex(0, 3))), 2);
  // Loading into a database that has a table changes nothing.
  WriteFile(u"\\c.ebase", testbuild::DumpFileBytes(first));
  loaded->SetPath(u"\\c.ebase");
  EXPECT_EQ(loaded->LoadFromFile(), 12);
  EXPECT_EQ(loaded->TableCount(), 2u);
}

TEST(DatabaseFile, TablesReadWithTheirOwnColumnsAndSlotSeven) {
  DumpRecord r;
  r.Head().Text("").Number(2);
  r.Text("two").Number(2).Number(1).Text("a").Number(2).Text("b").Number(2);
  r.Text("three").Number(3).Number(1).Text("x").Number(0).Text("y").Number(0).Text("z").Number(6);
  r.Number(1).Text("only");
  r.Number(0).Number(7).Number(8);
  r.Number(2).Text("x").Number(0);
  DatabaseHolder d;
  ASSERT_EQ(LoadRecord(r.Bytes(), &d), 0);
  ObjectTable* two = d->GetTable(0);
  ObjectTable* three = d->GetTable(1);
  EXPECT_EQ(two->GetNumber(0, 1), 8u);
  EXPECT_TRUE(three->IsNull(0, 1));
  EXPECT_EQ(three->GetText(0, 2)->CompareTo(W(u"only")), 0);
  // A column in slot 7 always holds a value.
  for (int i = 0; i < 5; ++i) three->AddColumn(W(u"p"), kColumnByte);
  EXPECT_EQ(three->AddColumn(W(u"slot7"), kColumnUnsigned), 8);
  EXPECT_FALSE(three->IsNull(0, 8));
  EXPECT_FALSE(three->IsNull(0, 7));
  // A removed column's bits do not make the next one in its slot a value.
  three->RemoveColumn(0);
  EXPECT_EQ(three->AddColumn(W(u"again"), kColumnPooledString), 0);
  EXPECT_TRUE(three->IsNull(0, 0));
  EXPECT_EQ(three->GetText(0, 0), nullptr);
}

TEST(DatabaseFile, RepeatedPoolStringsShareOneEntry) {
  DumpRecord r;
  r.Head().Text("").Number(1).Text("t").Number(1).Number(3).Text("p").Number(6);
  r.Number(3).Text("same").Text("same").Text("other");
  r.Number(0).Number(0).Number(0).Number(1).Number(0).Number(2);
  DatabaseHolder d;
  ASSERT_EQ(LoadRecord(r.Bytes(), &d), 0);
  ObjectTable* t = d->GetTable(0);
  EXPECT_EQ(t->GetText(0, 0)->CompareTo(W(u"same")), 0);
  EXPECT_EQ(t->GetText(1, 0)->CompareTo(W(u"same")), 0);
  EXPECT_EQ(t->GetText(2, 0)->CompareTo(W(u"other")), 0);
  EXPECT_EQ(d->Pool().Count(), 2u);
}

TEST(DatabaseFile, TextCellsShareTheDatabasesChunks) {
  DatabaseHolder d = NewDatabase();
  const int32_t n = d->CreateTable(W(u"t"));
  ASSERT_GE(n, 0);
  ObjectTable* t = d->GetTable(n);
  const int32_t text = t->AddColumn(W(u"text"), kColumnString);
  const int32_t pooled = t->AddColumn(W(u"pooled"), kColumnPooledString);
  ASSERT_GE(text, 0);
  ASSERT_GE(pooled, 0);
  // Twenty short texts of both kinds: a few chunks, not one buffer each.
  std::set<const void*> buffers;
  for (int i = 0; i < 20; ++i) {
    const int32_t row = t->AppendEmptyRow();
    const std::u16string word = u"word" + std::u16string(1, static_cast<char16_t>(u'a' + i));
    ASSERT_EQ(t->SetText(row, text, W(word.c_str())), 0);
    ASSERT_EQ(t->SetText(row, pooled, W((u"p" + word).c_str())), 0);
    buffers.insert(t->GetText(row, text)->buffer);
    buffers.insert(t->GetText(row, pooled)->buffer);
  }
  EXPECT_LE(buffers.size(), 2u);
  EXPECT_EQ(t->GetText(7, text)->CompareTo(W(u"wordh")), 0);
  EXPECT_EQ(t->GetText(7, pooled)->CompareTo(W(u"pwordh")), 0);
  // A text longer than a chunk has its own buffer.
  const std::u16string longText(300, u'x');
  ASSERT_EQ(t->SetText(0, text, W(longText.c_str())), 0);
  EXPECT_EQ(t->GetText(0, text)->length, 300u);
  // When no chunk can be had the text is refused, the cell keeps no part.
  const int32_t row = t->AppendEmptyRow();
  const SharedWideString fresh = W(std::u16string(250, u'y').c_str());  // longer than the chunk's rest
  {
    devtest::AllocationFailure fail(1, true);
    EXPECT_EQ(t->SetText(row, text, fresh), 1);
  }
  EXPECT_TRUE(t->GetText(row, text) == nullptr || t->GetText(row, text)->IsEmpty());
}

std::vector<uint8_t> ValidRecord() {
  DumpRecord r;
  r.Head().Text("n").Number(1).Text("t").Number(2).Number(2).Text("a").Number(0).Text("p").Number(6);
  r.Number(1).Text("s");
  r.Number(0).Text("x").Number(0).Number(2).Text("y");
  return r.Bytes();
}

TEST(DatabaseFile, CorruptFormsGiveTheirCodes) {
  struct Case {
    const char* name;
    std::vector<uint8_t> record;
    int32_t code;
  };
  std::vector<uint8_t> longHead = ValidRecord();
  longHead[7] = 200;
  const Case cases[] = {
      {"other magic", DumpRecord().Head("DUMB").Number(0).Number(0).Number(0).Bytes(), 8},
      {"version 2", DumpRecord().Head("DUMP", 12, 2).Number(0).Number(0).Number(0).Bytes(), 11},
      {"version 0", DumpRecord().Head("DUMP", 12, 0).Number(0).Number(0).Number(0).Bytes(), 0},
      {"twelve bytes", DumpRecord().Head().Bytes(), 12},
      {"header past the record", longHead, 8},
      {"column type 3", DumpRecord().Head().Number(0).Number(1).Text("t").Number(1).Number(0).Text("c").Number(3).Number(0).Bytes(), 8},
      {"pool index past the pool",
       DumpRecord().Head().Number(0).Number(1).Text("t").Number(1).Number(1).Text("p").Number(6).Number(1).Text("s").Number(0).Number(1).Bytes(),
       8},
      {"duplicate table", DumpRecord().Head().Number(0).Number(2).Text("t").Number(0).Number(0).Text("t").Number(0).Number(0).Number(0).Bytes(), 10},
      {"empty table name", DumpRecord().Head().Number(0).Number(1).Text("").Number(0).Number(0).Number(0).Bytes(), 10},
      {"mask above a byte", DumpRecord().Head().Number(0).Number(1).Text("t").Number(0).Number(1).Number(0).Number(256).Bytes(), 8},
      {"billions of tables", DumpRecord().Head().Number(0).Number(3000000000u).Bytes(), 8},
      {"billions of rows", DumpRecord().Head().Number(0).Number(1).Text("t").Number(1).Number(2000000000u).Text("a").Number(0).Number(0).Bytes(), 8},
      {"billions of columns", DumpRecord().Head().Number(0).Number(1).Text("t").Number(2000000000u).Number(1).Bytes(), 8},
      {"billions of pool strings", DumpRecord().Head().Number(0).Number(0).Number(4000000000u).Text("a").Bytes(), 8},
      {"many columns times rows", DumpRecord().Head().Number(0).Number(1).Text("t").Number(40).Number(60).Bytes(), 8},
  };
  for (const Case& c : cases) {
    devtest::ResetLargestAllocation();
    DatabaseHolder d;
    EXPECT_EQ(LoadRecord(c.record, &d), c.code) << c.name;
    if (c.code != 0) {
      EXPECT_EQ(d->TableCount(), 0u) << c.name;  // nothing half-loaded
    }
    EXPECT_LT(devtest::LargestAllocation(), 64u * 1024) << c.name;
  }
  // Cut anywhere after the head: 8 (12 bytes or fewer: 12).
  const std::vector<uint8_t> whole = ValidRecord();
  for (size_t n = 0; n < whole.size(); ++n) {
    DatabaseHolder d;
    const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(n));
    EXPECT_EQ(LoadRecord(cut, &d), n <= 12 ? 12 : 8) << n;
  }
  DatabaseHolder d;
  EXPECT_EQ(LoadRecord(whole, &d), 0);
}

TEST(DatabaseFile, FailedSavesLeaveThePreviousFile) {
  DatabaseHolder d = MakeSample(u"\\keep.ebase");
  ASSERT_FALSE(d->Save());
  const std::vector<uint8_t> before = FileBytes(u"\\keep.ebase");
  d->GetTable(0)->SetText(0, 0, W(u"changed"));
  bool saved = false;
  for (long n = 1; n < 200 && !saved; ++n) {
    devtest::FailNthWrite(n);
    const bool failed = d->Save();
    devtest::ResetWriteInjection();
    if (failed) {
      EXPECT_EQ(FileBytes(u"\\keep.ebase"), before) << n;
    } else {
      saved = true;
    }
  }
  EXPECT_TRUE(saved);
  EXPECT_NE(FileBytes(u"\\keep.ebase"), before);
}

TEST(DatabaseFile, NamesAndIdentifiers) {
  EXPECT_EQ(indextest_name(NewDatabase(u"\\Cards\\Notes.ebase")->Name()), "Notes");
  EXPECT_EQ(indextest_name(NewDatabase(u"\\Notes.EBASE")->Name()), "Notes.EBASE");
  SharedWideString id;
  EXPECT_FALSE(MakeIdentifier(W(u"My list 2!"), &id));
  EXPECT_EQ(indextest_name(id), "My_list_2_");
  EXPECT_TRUE(MakeIdentifier(W(u"!?"), &id));
  EXPECT_TRUE(id.IsEmpty());
}

// The loader hands a database the address it came from: a file address
// gives the path and, for a database without a name, the name; a command
// gives neither; a name already held stays.
TEST(DatabaseFile, AddressGivesPathAndName) {
  const struct {
    const char16_t* address;
    const char16_t* initialName;
    const char* name;
    const char16_t* path;
  } cases[] = {
      {u"\\My Documents\\words.ebase", u"", "words", u"\\My Documents\\words.ebase"},
      {u"\\history.EBASE", u"", "history.EBASE", u"\\history.EBASE"},
      {u"\\kept.ebase", u"Mine", "Mine", u"\\kept.ebase"},
      {u"oeb:library", u"", "", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(indextest_name(W(c.address)));
    DatabaseHolder d = NewDatabase();
    if (c.initialName[0] != 0) d->NameRef()->Assign(W(c.initialName));
    Url url;
    ASSERT_TRUE(url.Parse(W(c.address), false));
    d->SetUrl(url);
    EXPECT_EQ(Url::Compare(d->GetUrl(), url), 0);
    EXPECT_EQ(indextest_name(d->Name()), c.name);
    if (c.path == nullptr) {
      EXPECT_EQ(d->Path(), nullptr);
    } else {
      ASSERT_NE(d->Path(), nullptr);
      EXPECT_EQ(std::u16string(d->Path()), std::u16string(c.path));
    }
  }
}

}  // namespace
