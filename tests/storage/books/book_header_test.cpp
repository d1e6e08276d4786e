// Record 0 of a book: the acceptance rules, the field-reading rule (a field
// only inside both record 0 and the native header), the EXTH walk, names,
// the compression guess for an unknown word, and the header's answers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/text/utf16_to_utf8.h"
#include "storage/books/book_document.h"
#include "storage/books/book_header.h"
#include "storage/books/book_header_summary.h"
#include "storage/container/palm_database.h"
#include "storage/container/stream_factory.h"
#include "storage/books/exth.h"
#include "tests/support/book_builder.h"
#include "tests/support/book_builder_reader.h"

namespace {

using Bytes = std::vector<uint8_t>;
using testbuild::BookRecipe;
using testbuild::PutU16BE;
using testbuild::PutU32BE;

const uint8_t kBook[4] = {'B', 'O', 'O', 'K'};
const uint8_t kCorv[4] = {'C', 'O', 'R', 'V'};

BookRecipe SmallBook(uint32_t version = 6) {
  BookRecipe spec;
  spec.headerVersion = version;
  spec.text = testbuild::EncodeBookText(testbuild::SampleText(5000, 3, 0), 1252);
  return spec;
}

Bytes Record0Of(const BookRecipe& spec) { return testbuild::BuildBook(spec).Record(0); }

int32_t Parse(const Bytes& record0, BookHeader* header, uint32_t records = 10) {
  Bytes exact(record0);  // exactly sized: the sanitizer sees overreads
  return ParseBookRecord0(kBook, kCorv, exact.data(), static_cast<uint32_t>(exact.size()), records, header);
}

TEST(BookHeaderRules, RecordSizeAndVersionLimits) {
  struct Case {
    const char* name;
    uint32_t recordSize;
    uint32_t version;
    int32_t error;
  } cases[] = {
      {"record size 255", 255, 6, 2},   {"record size 256", 256, 6, 0},  {"record size 32768", 32768, 6, 0},
      {"record size 32769", 32769, 6, 2}, {"version 7", 4096, 7, 0},     {"version 8", 4096, 8, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BookRecipe spec = SmallBook(c.version);
    spec.recordSize = c.recordSize == 32769 ? 4096 : c.recordSize;
    spec.codePage = 65001;
    spec.extraFlags = 0x1;  // characters cut by a record's end are carried
    spec.text = testbuild::EncodeBookText(testbuild::SampleText(c.recordSize * 2 + 100, 9, 2), 65001);
    testbuild::BuiltBook book = testbuild::BuildBook(spec);
    if (c.recordSize == 32769) PutU16BE(book.Record(0), 10, 32769);
    testbuild::OpenedBook opened = testbuild::OpenBookBytes(book.Bytes(), 65002, testbuild::kOpenStream);
    EXPECT_EQ(opened.error, c.error);
    if (c.error != 0) continue;
    testbuild::TextWalk walk;
    ASSERT_TRUE(testbuild::ReadWholeText(opened.doc.get(), &walk));
    EXPECT_EQ(walk.text.size(), testbuild::Utf8ToUtf16(testbuild::SampleText(c.recordSize * 2 + 100, 9, 2)).size());
  }
}

TEST(BookHeaderRules, HeaderLengthAgainstVersion) {
  struct Case {
    const char* name;
    uint32_t version;
    uint32_t length;
    int32_t error;
    uint32_t versionRead;
  } cases[] = {
      {"length under 24 means version 2", 6, 20, 0, 2},
      {"version 3 needs 116", 3, 112, 8, 0},
      {"version 3 with 116", 3, 116, 0, 3},
      {"version 4 needs 208", 4, 204, 8, 0},
      {"version 6 needs 228", 6, 224, 8, 0},
      {"version 1 in a corv header", 1, 232, 8, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BookRecipe spec = SmallBook(c.version);
    spec.headerLength = c.length;
    BookHeader header;
    EXPECT_EQ(Parse(Record0Of(spec), &header), c.error);
    if (c.error == 0) {
      EXPECT_EQ(header.headerVersion, c.versionRead);
    }
  }
}

TEST(BookHeaderRules, FieldsOutsideRecordOrHeaderAreAbsent) {
  // Version 5 with the least header length: the field at 232 lies past 16 + L.
  BookRecipe spec = SmallBook(5);
  spec.headerLength = 208;
  BookHeader header;
  Bytes r0 = Record0Of(spec);
  PutU32BE(r0, 232, 7);  // inside the record, outside the header
  ASSERT_EQ(Parse(r0, &header), 0);
  EXPECT_EQ(header.specialRecords[8], kNoRecord16);

  // Version 6: the extra-data flags are required; a record 0 that ends
  // before them is refused, whatever the header length claims.
  spec = SmallBook(6);
  spec.extraFlags = 0x2;
  r0 = Record0Of(spec);
  ASSERT_EQ(Parse(r0, &header), 0);
  EXPECT_EQ(header.extraFlags, 0x2u);
  for (size_t cut : {size_t{243}, size_t{200}, size_t{100}, size_t{40}, size_t{39}, size_t{16}, size_t{3}}) {
    SCOPED_TRACE(cut);
    Bytes shortRecord(r0.begin(), r0.begin() + static_cast<long>(cut));
    EXPECT_EQ(Parse(shortRecord, &header), 8);
  }

  // Version 3 "DH" needs the HUFF words; a record cut before them is refused.
  spec = SmallBook(3);
  spec.compression = testbuild::TextCompression::kHuffCdic;
  r0 = Record0Of(spec);
  ASSERT_EQ(Parse(r0, &header), 0);
  EXPECT_EQ(header.compression, kCompressionHuffCdic);
  r0.resize(115);
  EXPECT_EQ(Parse(r0, &header), 8);
}

TEST(BookHeaderRules, TypeAndCreator) {
  Bytes r0 = Record0Of(SmallBook());
  BookHeader header;
  const uint8_t text[4] = {'T', 'E', 'X', 't'}, read[4] = {'R', 'E', 'A', 'd'}, other[4] = {'D', 'A', 'T', 'A'};
  EXPECT_EQ(ParseBookRecord0(other, kCorv, r0.data(), static_cast<uint32_t>(r0.size()), 10, &header), 8);
  // A Palm Doc file has no native header: plain text, version 0.
  ASSERT_EQ(ParseBookRecord0(text, read, r0.data(), static_cast<uint32_t>(r0.size()), 10, &header), 0);
  EXPECT_EQ(header.bookType, kBookTypePlainText);
  EXPECT_EQ(header.headerVersion, 0u);
  EXPECT_FALSE(header.hasNativeHeader);
  // Byte 150 = 14 in a record 0 longer than 166 bytes: a marked-up book of version 1.
  r0.resize(167);
  r0[150] = 14;
  ASSERT_EQ(ParseBookRecord0(text, read, r0.data(), 167, 10, &header), 0);
  EXPECT_EQ(header.bookType, kBookTypeMarkup);
  EXPECT_EQ(header.headerVersion, 1u);
}

TEST(BookExth, EntriesAndTheirLimits) {
  BookRecipe spec = SmallBook(6);
  Bytes extra(32, 0x5A);
  spec.exth = {{100, {'x'}}, {200, {'S', 'h', 'o', 'r', 't'}}, {300, extra}};
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(testbuild::BuildBook(spec).Bytes());
  ASSERT_EQ(opened.error, 0);
  SharedWideString shortName;
  ASSERT_TRUE(opened.doc->GetShortName(&shortName));
  EXPECT_EQ(std::u16string(shortName.Chars(), shortName.length), u"Short");
  uint32_t length = 0;
  const uint8_t* data = opened.doc->GetExtraHeaderData(&length);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(Bytes(data, data + length), extra);

  // Extra header data shorter than 32 bytes is not kept.
  spec.exth = {{300, Bytes(31, 1)}};
  opened = testbuild::OpenBookBytes(testbuild::BuildBook(spec).Bytes(), 65002, testbuild::kOpenMapped, nullptr,
                                    u"\\b2.corv");
  ASSERT_EQ(opened.error, 0);
  EXPECT_EQ(opened.doc->GetExtraHeaderData(&length), nullptr);
  EXPECT_FALSE(opened.doc->GetShortName(&shortName));
}

TEST(BookExth, WalkStopsAtBadLengths) {
  BookRecipe spec = SmallBook(6);
  spec.exth = {{100, {1, 2, 3, 4}}, {200, {'N'}}};
  const Bytes sound = Record0Of(spec);
  const uint32_t block = 16 + 232;
  ASSERT_EQ(std::memcmp(sound.data() + block, "EXTH", 4), 0);
  struct Case {
    const char* name;
    void (*breakIt)(Bytes&, uint32_t block);
    bool found;
  } cases[] = {
      {"sound", [](Bytes&, uint32_t) {}, true},
      {"entry length 0 (no progress)", [](Bytes& r, uint32_t b) { PutU32BE(r, b + 12 + 4, 0); }, false},
      {"entry length 7 (steps back)", [](Bytes& r, uint32_t b) { PutU32BE(r, b + 12 + 4, 7); }, false},
      {"entry past the block", [](Bytes& r, uint32_t b) { PutU32BE(r, b + 12 + 4, 0x1000); }, false},
      {"block length past the record", [](Bytes& r, uint32_t b) { PutU32BE(r, b + 4, 0x7FFFFFFF); }, true},
      {"entry count past the entries", [](Bytes& r, uint32_t b) { PutU32BE(r, b + 8, 0xFFFFFFFF); }, true},
      {"block length below its head", [](Bytes& r, uint32_t b) { PutU32BE(r, b + 4, 4); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes r0 = sound;
    c.breakIt(r0, block);
    uint32_t length = 0;
    const uint8_t* name = FindExthEntry(kExthShortName, r0.data(), static_cast<uint32_t>(r0.size()), block, &length);
    EXPECT_EQ(name != nullptr, c.found);
    BookHeader header;
    ASSERT_EQ(Parse(r0, &header), 0);
    EXPECT_EQ(header.hasShortName, c.found);
  }
}

TEST(BookNames, FullNameInTheBooksEncoding) {
  for (int32_t cp : {1252, 65001, 65002}) {
    SCOPED_TRACE(cp);
    BookRecipe spec = SmallBook(6);
    spec.codePage = cp;
    spec.fullName = testbuild::EncodeBookText("Café crème", cp);
    testbuild::OpenedBook opened = testbuild::OpenBookBytes(testbuild::BuildBook(spec).Bytes());
    ASSERT_EQ(opened.error, 0);
    EXPECT_EQ(std::u16string(opened.doc->FullName().Chars(), opened.doc->FullName().length), u"Café crème");
  }
  // A name range outside record 0 leaves the name empty.
  BookRecipe spec = SmallBook(6);
  spec.fullName = {'A', 'B'};
  testbuild::BuiltBook book = testbuild::BuildBook(spec);
  PutU32BE(book.Record(0), 88, 0xFFFFFF00u);
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(book.Bytes());
  ASSERT_EQ(opened.error, 0);
  EXPECT_EQ(opened.doc->FullName().length, 0u);
  SharedWideString storeName;
  ASSERT_TRUE(opened.doc->GetStoreName(&storeName));
  EXPECT_EQ(std::u16string(storeName.Chars(), storeName.length), u"Test book");
}

TEST(BookHeaderAnswers, RecordsLanguagesAndFlags) {
  BookRecipe spec = SmallBook(6);
  spec.language = 0x040C;
  spec.inputLanguage = 0x0409;
  spec.outputLanguage = 0x0407;
  spec.exthFlags = 0x2 | 0x80;
  spec.extraFlags = 0x4;
  spec.resourceRecords = 3;
  testbuild::BuiltBook book = testbuild::BuildBook(spec);
  PutU32BE(book.Record(0), 40, 0x00010000u | book.layout.firstResource);  // only the low 16 bits count
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(book.Bytes());
  ASSERT_EQ(opened.error, 0);
  BookDocument* doc = opened.doc.get();
  EXPECT_EQ(doc->GetLanguage(), 0x040Cu);
  uint32_t in = 0, out = 0;
  EXPECT_TRUE(doc->GetDictionaryLanguages(&in, &out));
  EXPECT_EQ(in, 0x0409u);
  EXPECT_EQ(out, 0x0407u);
  EXPECT_TRUE(doc->HasExthFlag2());
  EXPECT_TRUE(doc->HasExthFlag80());
  EXPECT_TRUE(doc->LacksExthFlag8());
  EXPECT_TRUE(doc->HasExtraFlag4());
  EXPECT_TRUE(doc->HasSpecialRecord(0));
  EXPECT_EQ(doc->GetSpecialRecord(1), book.layout.firstResource);
  EXPECT_FALSE(doc->HasSpecialRecord(2));
  EXPECT_FALSE(doc->HasSpecialRecord(4));
  uint32_t resource = 1;
  EXPECT_TRUE(doc->ResolveResourceRecord(&resource));
  EXPECT_EQ(resource, book.layout.firstResource);
  resource = 3;
  EXPECT_TRUE(doc->ResolveResourceRecord(&resource));
  resource = 4;
  EXPECT_FALSE(doc->ResolveResourceRecord(&resource));
  resource = 0;
  EXPECT_FALSE(doc->ResolveResourceRecord(&resource));
  DocumentHeaderInfo info;
  EXPECT_TRUE(doc->GetHeaderInfo(&info));
  EXPECT_EQ(info.store, doc->Store());
  EXPECT_EQ(doc->GetBookType(), 2u);
  EXPECT_EQ(doc->GetBookId(), static_cast<int32_t>(spec.bookId));
  EXPECT_EQ(doc->GetFormatVersion(), 6u);
}

TEST(BookCompressionWord, UnknownWordIsDecidedFromRecordOne) {
  for (auto compression : {testbuild::TextCompression::kNone, testbuild::TextCompression::kPalmDoc}) {
    SCOPED_TRACE(testbuild::TextCompressionName(compression));
    BookRecipe spec = SmallBook(4);
    spec.compression = compression;
    testbuild::BuiltBook book = testbuild::BuildBook(spec);
    PutU16BE(book.Record(0), 0, 0x1234);
    testbuild::OpenedBook opened = testbuild::OpenBookBytes(book.Bytes());
    ASSERT_EQ(opened.error, 0);
    EXPECT_EQ(opened.doc->Header().compression,
              compression == testbuild::TextCompression::kNone ? kCompressionNone : kCompressionPalmDoc);
    testbuild::TextWalk walk;
    ASSERT_TRUE(testbuild::ReadWholeText(opened.doc.get(), &walk));
    EXPECT_EQ(devtext::Utf16ToUtf8String(walk.text), testbuild::SampleText(5000, 3, 0));
  }
}

TEST(BookLibraryView, TitleAndSummaryWithoutOpeningADocument) {
  BookRecipe spec = SmallBook(6);
  spec.codePage = 65001;
  spec.fullName = testbuild::EncodeBookText("Über alles", 65001);
  spec.inputLanguage = 0x0407;
  spec.outputLanguage = 0x0409;
  testbuild::BuiltBook book = testbuild::BuildBook(spec);
  PutU32BE(book.Record(0), 40, 5);  // a main index record
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\lib.corv", book.Bytes()));
  int32_t error = 0;
  PalmDatabase* store = OpenRecordDatabase(u"\\lib.corv", 9, MakeFourCC("CORV"), MakeFourCC("BOOK"), &error);
  ASSERT_NE(store, nullptr);
  uint32_t type = 0;
  int32_t cp = 0;
  SharedWideString title;
  EXPECT_FALSE(PeekBookTitle(store, &type, &cp, &title));
  EXPECT_EQ(std::u16string(title.Chars(), title.length), u"Über alles");
  EXPECT_EQ(cp, 65001);
  BookHeaderSummary summary;
  EXPECT_FALSE(ReadBookHeaderSummary(store, &summary));
  EXPECT_EQ(summary.languagePair, static_cast<uint16_t>((0x007 << 8) | 0x009));
  EXPECT_EQ(summary.mainIndexRecord, 5);
  EXPECT_EQ(summary.textLength, spec.text.size());
  EXPECT_EQ(std::u16string(summary.databaseName.Chars(), summary.databaseName.length), u"Test book");
  delete store;

  // Without a full name the title is the database name; without a main
  // index the language pair is 0xFFFF.
  spec.fullName.clear();
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\lib2.corv", testbuild::BuildBook(spec).Bytes()));
  store = OpenRecordDatabase(u"\\lib2.corv", 9, MakeFourCC("CORV"), MakeFourCC("BOOK"), &error);
  ASSERT_NE(store, nullptr);
  EXPECT_FALSE(PeekBookTitle(store, &type, &cp, &title));
  EXPECT_EQ(std::u16string(title.Chars(), title.length), u"Test book");
  EXPECT_FALSE(ReadBookHeaderSummary(store, &summary));
  EXPECT_EQ(summary.languagePair, 0xFFFF);
  delete store;

  // Not a book: both fail.
  testbuild::PalmDatabaseBuilder other;
  other.AddRecord(std::vector<uint8_t>(64, 0));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\other.pdb", other.Build()));
  store = OpenRecordDatabase(u"\\other.pdb", 9, MakeFourCC("CORV"), MakeFourCC("BOOK"), &error);
  ASSERT_NE(store, nullptr);
  EXPECT_TRUE(PeekBookTitle(store, &type, &cp, &title));
  EXPECT_TRUE(ReadBookHeaderSummary(store, &summary));
  delete store;
}

}  // namespace
