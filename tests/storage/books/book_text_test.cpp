// Reading the text of books beyond the plain matrix: trailing entries of
// every flag, UTF-8 books with and without the multibyte carry, the carry's
// count nibble, sections, an empty last record, another target code page,
// Palm Doc files read in any order, HUFF/CDIC books with records of varying
// length and several DATP records, and the wait message of a slow store.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/text/utf16_to_utf8.h"
#include "storage/books/book_document.h"
#include "tests/support/book_builder.h"
#include "tests/support/book_builder_reader.h"
#include "tests/support/fake_document_host.h"
#include "storage/documents/document_host.h"

namespace {

using testbuild::BookRecipe;
using testbuild::TextCompression;

std::string ReadAll(const std::vector<uint8_t>& bytes, int32_t target = 65002, uint32_t mode = testbuild::kOpenMapped,
                    uint32_t section = 0) {
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(bytes, target, mode, nullptr, u"\\read_all.corv");
  EXPECT_EQ(opened.error, 0);
  if (opened.error != 0) return "<open failed>";
  testbuild::TextWalk walk;
  if (!testbuild::ReadWholeText(opened.doc.get(), &walk, section)) return "<read failed>";
  if (target == 65002) return devtext::Utf16ToUtf8String(walk.text);
  std::string narrow;
  for (char16_t c : walk.text) narrow.push_back(static_cast<char>(c));
  return narrow;
}

// Equality of long texts, reported at the first difference.
::testing::AssertionResult SameText(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  size_t i = 0;
  while (i < actual.size() && i < expected.size() && actual[i] == expected[i]) ++i;
  return ::testing::AssertionFailure() << "texts differ at byte " << i << " (lengths " << actual.size() << ", "
                                       << expected.size() << "): \"" << actual.substr(i, 40) << "\" vs \""
                                       << expected.substr(i, 40) << "\"";
}

TEST(BookText, TrailingEntriesOfEveryFlag) {
  const std::string utf8 = testbuild::SampleText(9000, 21, 2);
  const uint32_t flagSets[] = {0x2, 0x4, 0x8, 0x10, 0x100, 0x8000, 0x80000000u, 0x3, 0xFFFFFFFEu, 0xFFFFFFFFu};
  for (uint32_t flags : flagSets) {
    for (auto compression : {TextCompression::kNone, TextCompression::kPalmDoc, TextCompression::kHuffCdic}) {
      SCOPED_TRACE(testing::Message() << std::hex << flags << " " << testbuild::TextCompressionName(compression));
      BookRecipe spec;
      spec.codePage = 65001;
      spec.compression = compression;
      spec.extraFlags = flags;
      spec.seed = flags;
      spec.text = testbuild::EncodeBookText(utf8, 65001);
      EXPECT_TRUE(SameText(ReadAll(testbuild::BuildBook(spec).Bytes(), 65002, testbuild::kOpenStream), utf8));
    }
  }
}

TEST(BookText, CarryCountIsTheLowNibble) {
  const std::string utf8 = testbuild::SampleText(9000, 22, 2);
  BookRecipe spec;
  spec.codePage = 65001;
  spec.extraFlags = 0x1;
  spec.carryHighNibble = 0xA;
  spec.text = testbuild::EncodeBookText(utf8, 65001);
  EXPECT_TRUE(SameText(ReadAll(testbuild::BuildBook(spec).Bytes()), utf8));
}

TEST(BookText, RecordEndingInsideACharacterCarriesItsFirstBytes) {
  // "é" (2 bytes) cut by the record's end: record 1 ends with its lead byte
  // and carries the continuation byte.
  std::string utf8(4095, 'a');
  utf8 += "é and more";
  BookRecipe spec;
  spec.codePage = 65001;
  spec.extraFlags = 0x1;
  spec.text = testbuild::EncodeBookText(utf8, 65001);
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(testbuild::BuildBook(spec).Bytes());
  ASSERT_EQ(opened.error, 0);
  TextBlock block;
  ASSERT_TRUE(opened.doc->ReadBlock(0, &block, 0, false));
  ASSERT_EQ(block.length, 4096u);
  EXPECT_EQ(block.Units()[4095], u'é');
  EXPECT_EQ(block.sourceLength, 4097u);
  EXPECT_EQ(opened.doc->AdvancePosition(block.start, 4096, 0), 4097u);
  opened.doc->ReleaseBlock(block.blockId);
  // The next record starts inside the character: its block begins after it.
  ASSERT_TRUE(opened.doc->ReadBlock(4097, &block, 0, false));
  EXPECT_EQ(block.start, 4096u);
  EXPECT_EQ(block.Units()[0], u' ');
  EXPECT_EQ(opened.doc->PositionDistance(block.start, 4097, 0), 0u);
  EXPECT_EQ(opened.doc->AdvancePosition(block.start, 0, 0), 4097u);
  opened.doc->ReleaseBlock(block.blockId);
}

// UTF-8 text of `records` records of `recordSize` bytes with a character of
// two, three and four bytes in turn at each record's end: cut by it after
// one to three of its bytes (`cut`), or ending exactly there, so that the
// record's last byte is a continuation byte whose low nibble (9, 0xC, 0)
// would claim a carry of 10, 13 or 1 bytes if the record were read as
// carrying one.
std::string CharactersAtRecordEnds(size_t recordSize, size_t records, bool cut) {
  const std::string ends[] = {"é", "€", "😀"};
  std::string text;
  for (size_t r = 0; r < records; ++r) {
    const std::string& c = ends[r % 3];
    const size_t boundary = (r + 1) * recordSize;
    const size_t at = cut ? boundary - 1 - (r / 3) % (c.size() - 1) : boundary - c.size();
    while (text.size() < at) {
      if (at - text.size() >= 2 && text.size() % 13 == 0) {
        text += "ü";
      } else {
        text.push_back(static_cast<char>('a' + text.size() % 26));
      }
    }
    text += c;
  }
  return text + " the end.";
}

TEST(BookText, Utf8BooksOfEveryVersionWithAndWithoutTheMultibyteFlag) {
  // Only a book whose flags word (version 6 and above) has bit 0 carries the
  // bytes of a character cut by a record's end; in every other book the
  // record's last byte is text and no character is cut.
  constexpr size_t kRecordSize = 1024;
  for (uint32_t version = 2; version <= 7; ++version) {
    for (uint32_t flags : {0x0u, 0x2u, 0x1u, 0x3u}) {
      if (version < 6 && flags != 0) continue;
      const bool carries = (flags & 1) != 0;
      const std::string utf8 = CharactersAtRecordEnds(kRecordSize, 7, carries);
      for (auto compression : {TextCompression::kNone, TextCompression::kPalmDoc, TextCompression::kHuffCdic}) {
        if (compression == TextCompression::kHuffCdic && version < 3) continue;
        SCOPED_TRACE(testing::Message() << "version " << version << " flags " << flags << " "
                                        << testbuild::TextCompressionName(compression));
        BookRecipe spec;
        spec.headerVersion = version;
        spec.codePage = 65001;
        spec.compression = compression;
        spec.recordSize = kRecordSize;
        spec.extraFlags = flags;
        spec.text = testbuild::EncodeBookText(utf8, 65001);
        const std::vector<uint8_t> bytes = testbuild::BuildBook(spec).Bytes();
        EXPECT_TRUE(SameText(ReadAll(bytes, 65002, testbuild::kOpenStream), utf8));
        EXPECT_TRUE(SameText(ReadAll(bytes, 65001, testbuild::kOpenMapped), utf8));
      }
    }
  }
}

TEST(BookText, Utf8BookWithoutTheFlagReadsOnPastACutCharacter) {
  // A book made without the carry whose characters fall across record
  // ends: each cut character reads as one U+FFFD, nothing else is lost, and
  // the text reads to its end.
  constexpr size_t kRecordSize = 1024;
  const std::string utf8 = CharactersAtRecordEnds(kRecordSize, 4, true);
  std::string expected;
  for (size_t i = 0; i < utf8.size();) {
    const uint8_t lead = static_cast<uint8_t>(utf8[i]);
    const size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const bool cut = i / kRecordSize != (i + n - 1) / kRecordSize;
    expected += cut ? std::string("\xEF\xBF\xBD") : utf8.substr(i, n);
    i += n;
  }
  ASSERT_NE(expected, utf8);
  for (auto compression : {TextCompression::kNone, TextCompression::kPalmDoc}) {
    SCOPED_TRACE(testbuild::TextCompressionName(compression));
    BookRecipe spec;
    spec.codePage = 65001;
    spec.compression = compression;
    spec.recordSize = kRecordSize;
    spec.text = testbuild::EncodeBookText(utf8, 65001);
    EXPECT_TRUE(SameText(ReadAll(testbuild::BuildBook(spec).Bytes(), 65002, testbuild::kOpenStream), expected));
  }
}

TEST(BookText, UnicodeBookIntoCodePage1252) {
  const std::string utf8 = testbuild::SampleText(9000, 23, 1);
  std::vector<uint8_t> expected = testbuild::EncodeBookText(utf8, 1252);
  for (auto compression : {TextCompression::kNone, TextCompression::kPalmDoc, TextCompression::kHuffCdic}) {
    SCOPED_TRACE(testbuild::TextCompressionName(compression));
    BookRecipe spec;
    spec.codePage = 65001;
    spec.compression = compression;
    spec.text = testbuild::EncodeBookText(utf8, 65001);
    EXPECT_TRUE(
        SameText(ReadAll(testbuild::BuildBook(spec).Bytes(), 1252), std::string(expected.begin(), expected.end())));
  }
}

TEST(BookText, BigEndianUtf16InPlaceOfItsOwnCodePage) {
  const std::string utf8 = testbuild::SampleText(9000, 24, 2);
  BookRecipe spec;
  spec.codePage = 65002;
  spec.compression = TextCompression::kNone;
  spec.text = testbuild::EncodeBookText(utf8, 65002);
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(testbuild::BuildBook(spec).Bytes(), 65002);
  ASSERT_EQ(opened.error, 0);
  TextBlock block;
  ASSERT_TRUE(opened.doc->ReadBlock(0, &block, 0, false));
  EXPECT_EQ(block.length, 2048u);  // 4096 bytes of big-endian text
  EXPECT_EQ(opened.doc->AdvancePosition(0, 10, 0), 20u);
  EXPECT_EQ(opened.doc->PositionDistance(0, 20, 0), 10u);
  opened.doc->ReleaseBlock(block.blockId);
  EXPECT_TRUE(SameText(ReadAll(testbuild::BuildBook(spec).Bytes()), utf8));
}

TEST(BookText, SectionsFromTheSectionTable) {
  const std::string utf8 = testbuild::SampleText(20000, 25, 0);
  BookRecipe spec;
  spec.text = testbuild::EncodeBookText(utf8, 1252);
  spec.sections = {{0, 5000}, {5000, 5001}, {5001, 12288}, {12288, static_cast<uint32_t>(utf8.size())}};
  for (uint32_t per : {0u, 2u}) {
    SCOPED_TRACE(per);
    spec.sectionsPerRecord = per;
    const std::vector<uint8_t> bytes = testbuild::BuildBook(spec).Bytes();
    for (uint32_t s = 0; s < spec.sections.size(); ++s) {
      const auto [start, end] = spec.sections[s];
      EXPECT_TRUE(SameText(ReadAll(bytes, 65002, testbuild::kOpenMapped, s + 1), utf8.substr(start, end - start)))
          << s + 1;
    }
    testbuild::OpenedBook opened = testbuild::OpenBookBytes(bytes);
    ASSERT_EQ(opened.error, 0);
    uint32_t start = 0, end = 0;
    EXPECT_FALSE(opened.doc->GetSectionRange(5, &start, &end));
    TextBlock block;
    EXPECT_FALSE(opened.doc->ReadBlock(1, &block, 2, false));  // section 2 holds one byte
    EXPECT_TRUE(opened.doc->ReadBlock(0, &block, 2, false));
    EXPECT_EQ(block.start, 0u);
    EXPECT_EQ(block.length, 1u);
    opened.doc->ReleaseBlock(block.blockId);
  }
}

TEST(BookText, EmptyLastRecordReadsToTheEnd) {
  const std::string utf8(8192, 'z');
  for (uint32_t version : {2u, 6u}) {
    SCOPED_TRACE(version);
    BookRecipe spec;
    spec.headerVersion = version;
    spec.text = testbuild::EncodeBookText(utf8, 1252);
    spec.emptyLastRecord = true;
    testbuild::BuiltBook book = testbuild::BuildBook(spec);
    ASSERT_EQ(book.layout.textRecordCount, 3u);
    testbuild::OpenedBook opened = testbuild::OpenBookBytes(book.Bytes());
    ASSERT_EQ(opened.error, 0);
    EXPECT_EQ(opened.doc->GetTextLength(), 8192u);
    EXPECT_TRUE(SameText(ReadAll(book.Bytes()), utf8));
    TextBlock block;
    EXPECT_FALSE(opened.doc->ReadBlock(8192, &block, 0, false));
  }
}

TEST(BookText, PositionAtTheSectionEndGivesFalse) {
  BookRecipe spec;
  spec.text = testbuild::EncodeBookText(testbuild::SampleText(5000, 26, 0), 1252);
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(testbuild::BuildBook(spec).Bytes());
  ASSERT_EQ(opened.error, 0);
  TextBlock block;
  EXPECT_FALSE(opened.doc->ReadBlock(static_cast<uint32_t>(spec.text.size()), &block, 0, false));
  EXPECT_EQ(block.data, nullptr);
  EXPECT_TRUE(opened.doc->ReadBlock(static_cast<uint32_t>(spec.text.size()) - 1, &block, 0, false));
  opened.doc->ReleaseBlock(block.blockId);
}

TEST(BookText, PalmDocFilesInAnyOrder) {
  const std::string utf8 = testbuild::SampleText(50000, 27, 1);
  const std::vector<uint8_t> text = testbuild::EncodeBookText(utf8, 1252);
  const std::u16string expected16 = testbuild::Utf8ToUtf16(utf8);  // one unit per 1252 byte
  for (bool compressed : {true, false}) {
    SCOPED_TRACE(compressed);
    testbuild::PalmDocRecipe spec;
    spec.text = text;
    spec.compressed = compressed;
    const std::vector<uint8_t> bytes = testbuild::BuildPalmDoc(spec).Bytes();
    EXPECT_TRUE(SameText(ReadAll(bytes), utf8));
    testbuild::OpenedBook opened = testbuild::OpenBookBytes(bytes);
    ASSERT_EQ(opened.error, 0);
    EXPECT_EQ(opened.doc->GetBookType(), 3u);
    EXPECT_EQ(opened.doc->GetTextLength(), text.size());
    // Positions at random: the scan moves forwards, backwards and restarts.
    std::mt19937 rng(5);
    for (int i = 0; i < 200; ++i) {
      const uint32_t position = rng() % static_cast<uint32_t>(text.size());
      TextBlock block;
      ASSERT_TRUE(opened.doc->ReadBlock(position, &block, 0, false)) << position;
      ASSERT_EQ(block.start, position / 4096 * 4096);
      ASSERT_EQ(block.Units()[position - block.start], expected16[position]);
      opened.doc->ReleaseBlock(block.blockId);
    }
  }
}

// A Palm Doc file's stated text length only stands in for counting its
// records: a wrong one gives way to the records' own lengths.
TEST(BookText, PalmDocTextLengthComesFromTheRecordsWhenTheStatedOneIsWrong) {
  const std::string utf8 = testbuild::SampleText(10000, 31, 0);
  const uint32_t size = static_cast<uint32_t>(utf8.size());
  for (uint32_t stated : {size, size - 1000, size + 2000, 0u, 100000u}) {
    SCOPED_TRACE(stated);
    testbuild::PalmDocRecipe spec;
    spec.text.assign(utf8.begin(), utf8.end());
    testbuild::BuiltBook book = testbuild::BuildPalmDoc(spec);
    std::vector<uint8_t> bytes = book.Bytes();
    const size_t at = book.db.RecordOffset(0);  // record 0: the stated length at its offset 4
    bytes[at + 4] = static_cast<uint8_t>(stated >> 24);
    bytes[at + 5] = static_cast<uint8_t>(stated >> 16);
    bytes[at + 6] = static_cast<uint8_t>(stated >> 8);
    bytes[at + 7] = static_cast<uint8_t>(stated);
    EXPECT_TRUE(SameText(ReadAll(bytes), utf8));
    testbuild::OpenedBook opened = testbuild::OpenBookBytes(bytes);
    ASSERT_EQ(opened.error, 0);
    EXPECT_EQ(opened.doc->GetTextLength(), size);
  }
}

TEST(BookText, HuffCdicRecordsOfVaryingLength) {
  const std::string utf8 = testbuild::SampleText(60000, 28, 2);
  struct Case {
    const char* name;
    uint32_t shift;
    uint32_t perRecord;
    bool finalEntries;
  } cases[] = {{"one DATP record", 2, 0, true}, {"several DATP records", 0, 4, false}, {"wide checkpoints", 5, 7, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BookRecipe spec;
    spec.codePage = 65001;
    spec.compression = TextCompression::kHuffCdic;
    spec.variableRecordLengths = true;
    spec.datpShift = c.shift;
    spec.datpPerRecord = c.perRecord;
    spec.huff.finalCacheEntries = c.finalEntries;
    spec.extraFlags = 0x7;  // chunks of any length cut characters: carried
    spec.text = testbuild::EncodeBookText(utf8, 65001);
    testbuild::BuiltBook book = testbuild::BuildBook(spec);
    EXPECT_GT(book.layout.textRecordCount, 15u);
    EXPECT_TRUE(SameText(ReadAll(book.Bytes(), 65002, testbuild::kOpenStream), utf8));
  }
}

TEST(BookText, WaitMessageWhileTablesLoadFromASlowStore) {
  BookRecipe spec;
  spec.compression = TextCompression::kHuffCdic;
  spec.text = testbuild::EncodeBookText(testbuild::SampleText(9000, 29, 0), 1252);
  const std::vector<uint8_t> bytes = testbuild::BuildBook(spec).Bytes();
  for (uint32_t mode : {testbuild::kOpenMapped, testbuild::kOpenStream}) {
    SCOPED_TRACE(mode);
    FakeDocumentHostApplication app;
    DocumentHost host(&app);
    testbuild::OpenedBook opened = testbuild::OpenBookBytes(bytes, 65002, mode, &host);
    ASSERT_EQ(opened.error, 0);
    TextBlock block;
    ASSERT_TRUE(opened.doc->ReadBlock(0, &block, 0, false));
    opened.doc->ReleaseBlock(block.blockId);
    ASSERT_TRUE(opened.doc->ReadBlock(5000, &block, 0, false));
    opened.doc->ReleaseBlock(block.blockId);
    if (mode == testbuild::kOpenMapped) {
      EXPECT_TRUE(app.calls.empty());
    } else {
      ASSERT_EQ(app.calls.size(), 2u);  // once: the tables stay loaded
      EXPECT_EQ(app.calls[0].what, "ShowWaitMessage");
      EXPECT_EQ(app.calls[0].stringId, 5106u);
      EXPECT_EQ(app.calls[1].what, "CloseWaitMessage");
    }
  }
  // A book without HUFF/CDIC tables loads nothing and shows nothing.
  spec.compression = TextCompression::kPalmDoc;
  FakeDocumentHostApplication app;
  DocumentHost host(&app);
  testbuild::OpenedBook opened =
      testbuild::OpenBookBytes(testbuild::BuildBook(spec).Bytes(), 65002, testbuild::kOpenStream, &host);
  ASSERT_EQ(opened.error, 0);
  EXPECT_TRUE(opened.doc->EnsureHuffCdicTables());
  EXPECT_TRUE(app.calls.empty());
}

}  // namespace
