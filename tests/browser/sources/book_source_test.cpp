// Book sources: creation and its errors, streams by resource number and by
// entry name, index tables by request name (handed out again while alive,
// the list emptied when released), the refused names, inner links, and the
// parser and layout context of a markup book.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "browser/sources/book_layout_context.h"
#include "browser/sources/book_source.h"
#include "browser/sources/record_stream.h"
#include "index/books/book_index_services.h"
#include "index/books/book_index_tables.h"
#include "index/tables/index_table.h"
#include "layout/markup/element_stream.h"
#include "layout/search/text_searcher.h"
#include "platform/files/file_hooks.h"
#include "platform/testing/allocation.h"
#include "storage/books/book_document.h"
#include "tests/browser/sources/source_fixture.h"

using namespace sourcetest;

namespace {

DocumentStreamPtr OpenByName(DocumentSource* source, const std::u16string& name) {
  DocumentStreamPtr stream;
  source->OpenStreamByName(&stream, name.data(), static_cast<uint32_t>(name.size()));
  return stream;
}

// A book with a naming table ("words" is the table whose header record the
// naming entry's tag 1 gives, relative to the record base), a main index,
// and links: "pic" an entry stored in resource records 3 to 5, "bad" a
// range whose end lies before its start, "wide" a count beyond 16 bits,
// "far" a range past the records, and "pos" a text position.
std::vector<uint8_t> BookWithTablesAndLinks(uint32_t* wordsHeader) {
  testbuild::BuiltBook book = MarkupBook(12);
  const uint32_t base = testbuild::BookRecordBase(book);
  *wordsHeader = testbuild::AddIndexToBook(book, testbuild::BuildIndexRecords(OneEntryIndex("apple", {{1, {5}}})), 0);
  testbuild::IndexRecipe naming;
  for (const char* label : {"other", "words"}) {
    testbuild::IndexEntry entry;
    entry.label = Bytes(label);
    // Tag 1 names a table, tag 2 a key table.
    entry.values[1] = {std::string(label) == "words" ? *wordsHeader - base : 0xFFFFu};
    entry.values[2] = entry.values[1];
    naming.entries.push_back(entry);
  }
  testbuild::AddIndexToBook(book, testbuild::BuildIndexRecords(naming), 7);
  testbuild::IndexRecipe links;
  const struct {
    const char* label;
    uint32_t kind;
    uint32_t first;
    uint32_t count;
  } rows[] = {{"bad", 40, 5, 0xFFFFFFFEu}, {"far", 40, 3, 4000}, {"pic", 40, 2, 3}, {"pos", 0, 100, 20},
              {"wide", 40, 1, 0x10001}};
  for (const auto& row : rows) {
    testbuild::IndexEntry entry;
    entry.label = Bytes(row.label);
    entry.values[69] = {row.kind};
    entry.values[5] = {0};
    entry.values[101] = {row.first, row.count};
    links.entries.push_back(entry);
  }
  links.valuesPerItem = {{101, 2}};
  testbuild::AddIndexToBook(book, testbuild::BuildIndexRecords(links), 8);
  return book.Bytes();
}

TEST(BookSource, CreationErrors) {
  BookSource* source = reinterpret_cast<BookSource*>(1);
  EXPECT_EQ(BookSource::Create(nullptr, nullptr, &source, 1252, 65002), 9);
  EXPECT_EQ(source, nullptr);
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText("x", 1252);
  recipe.headerVersion = 8;
  DocumentSourcePtr refused;
  EXPECT_EQ(OpenBookSource(testbuild::BuildBook(recipe).Bytes(), &refused), 11);
  EXPECT_FALSE(refused);
  DocumentSourcePtr fine;
  ASSERT_EQ(OpenBookSource(MarkupBook().Bytes(), &fine), 0);
  EXPECT_TRUE(fine->HasEmbeddedStreams());
  EXPECT_NE(fine->GetDocument(), nullptr);
  EXPECT_EQ(fine->GetSourceKind(), 0);
}

TEST(BookSource, CreationFailsCleanlyWhenMemoryRunsOut) {
  const std::vector<uint8_t> bytes = MarkupBook().Bytes();
  bool opened = false;
  for (long n = 1; n < 200 && !opened; ++n) {
    DocumentSourcePtr source;
    int32_t error = 0;
    {
      ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\m.prc", bytes));
      devtest::AllocationFailure failing(n);
      int32_t code = 0;
      PalmDatabase* database = OpenRecordDatabase(u"\\m.prc", 11, MakeFourCC("CORV"), MakeFourCC("BOOK"), &code);
      BookSource* made = nullptr;
      error = BookSource::Create(database, nullptr, &made, 1252, 65002);
      if (made != nullptr) source.Adopt(made);
    }
    opened = error == 0;
    if (!opened) {
      EXPECT_FALSE(source) << n;
    }
  }
  EXPECT_TRUE(opened);
}

TEST(BookSource, StreamsByResourceNumber) {
  DocumentSourcePtr source;
  ASSERT_EQ(OpenBookSource(MarkupBook(6).Bytes(), &source), 0);
  DocumentStreamPtr first;
  source->OpenStreamByIndex(&first, 2);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->GetStreamKind(), 33);
  EXPECT_EQ(first->CompareIndex(2), 0);
  EXPECT_EQ(first->CompareIndex(3), -1);
  EXPECT_EQ(first->CompareIndex(1), 1);
  DocumentStreamPtr again;
  source->OpenStreamByIndex(&again, 2);
  EXPECT_EQ(again.Get(), first.Get());
  EXPECT_EQ(source->GetStreamCount(), 1u);
  const uint8_t* memory = nullptr;
  uint32_t size = 0;
  EXPECT_TRUE(first->GetMemory(&memory, &size));
  EXPECT_EQ(size, first->GetLength());
  for (int32_t bad : {0, -1, 100000, 0x7FFFFFFF}) {
    DocumentStreamPtr none;
    source->OpenStreamByIndex(&none, bad);
    EXPECT_FALSE(none) << bad;
  }
  first.Reset();
  again.Reset();
  EXPECT_EQ(source->GetStreamCount(), 0u);
}

TEST(BookSource, TablesByRequestName) {
  InstallBookIndexServices();
  uint32_t wordsHeader = 0;
  DocumentSourcePtr source;
  ASSERT_EQ(OpenBookSource(BookWithTablesAndLinks(&wordsHeader), &source), 0);
  {
    DocumentStreamPtr table = OpenByName(source.Get(), u"table=words");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->GetStreamKind(), kIndexTableStreamKind);
    EXPECT_EQ(table->GetRecordIndex(), static_cast<int32_t>(wordsHeader));
    DocumentStreamPtr same = OpenByName(source.Get(), u"table=words");
    EXPECT_EQ(same.Get(), table.Get());
    EXPECT_EQ(table->GetReferenceCount(), 2);
    EXPECT_EQ(source->GetStreamCount(), 1u);
    // Only nine characters are compared: any "key_table?=" is a key table.
    EXPECT_TRUE(OpenByName(source.Get(), u"key_tableX=words"));
    EXPECT_TRUE(OpenByName(source.Get(), u"special_table=naming"));
    EXPECT_TRUE(OpenByName(source.Get(), u"special_table=default"));
    std::u16string byRecord = u"tableid=";
    for (char c : std::to_string(wordsHeader)) byRecord.push_back(static_cast<char16_t>(c));
    EXPECT_TRUE(OpenByName(source.Get(), byRecord));
  }
  EXPECT_EQ(source->GetStreamCount(), 0u) << "released tables leave the list";

  const char16_t* refused[] = {
      u"table=missing",        u"special_table=other",   u"special_table=",     u"special_table=lookup_key",
      u"tableid=65535",         u"tableid=65536",          u"tableid=70000",      u"tableid=4294967296",
      u"tableid=x",            u"key_table",              u"eo=missing",         u"eo=bad",
      u"eo=wide",              u"eo=far",                 u"nothing",            u"",
  };
  for (const char16_t* name : refused) {
    EXPECT_FALSE(OpenByName(source.Get(), name)) << Text(SharedWideString(name)).size();
  }
  EXPECT_EQ(source->GetStreamCount(), 0u);
}

TEST(BookSource, EntryStreamsAndInnerLinks) {
  InstallBookIndexServices();
  uint32_t wordsHeader = 0;
  DocumentSourcePtr source;
  ASSERT_EQ(OpenBookSource(BookWithTablesAndLinks(&wordsHeader), &source), 0);
  InnerLink link;
  ASSERT_TRUE(source->ResolveInnerLink(u"pos?x=1", 7, &link));
  EXPECT_EQ(link.kind, 0);
  EXPECT_EQ(link.first, 100u);
  EXPECT_EQ(link.last, 120u);
  // Decoded and with forward slashes before the look-up.
  EXPECT_TRUE(source->ResolveInnerLink(u"p%6Fs", 5, &link));
  EXPECT_FALSE(source->ResolveInnerLink(u"nope", 4, &link));

  DocumentStreamPtr entry = OpenByName(source.Get(), u"eo=pic");
  ASSERT_TRUE(entry);
  auto* records = static_cast<RecordStream*>(entry.Get());
  BookDocument* book = static_cast<BookSource*>(source.Get())->Book();
  uint32_t firstRecord = 3;
  ASSERT_TRUE(book->ResolveResourceRecord(&firstRecord));
  EXPECT_EQ(records->FirstRecord(), firstRecord);
  EXPECT_EQ(records->RecordCount(), 3u);
  EXPECT_EQ(entry->CompareName(u"eo=pic", 6), 0);
  EXPECT_NE(entry->CompareIndex(-1), 0);
  // Three records read as one.
  uint32_t sizes = 0;
  for (uint32_t r = firstRecord; r < firstRecord + 3; ++r) {
    uint32_t size = 0;
    ASSERT_TRUE(book->Store()->GetRecordSize(static_cast<uint16_t>(r), &size));
    sizes += size;
  }
  EXPECT_EQ(entry->GetLength(), sizes);
  std::vector<uint8_t> all(sizes);
  uint32_t read = 0;
  ASSERT_TRUE(entry->ReadAt(0, all.data(), sizes + 100, &read));
  EXPECT_EQ(read, sizes);
  EXPECT_EQ(OpenByName(source.Get(), u"eo=pic").Get(), entry.Get());
}

TEST(BookSource, ParserAndLayoutContextOfAMarkupBook) {
  DocumentSourcePtr source;
  ASSERT_EQ(OpenBookSource(MarkupBook().Bytes(), &source), 0);
  ElementStream* parser = nullptr;
  LayoutContext* layout = nullptr;
  ASSERT_TRUE(source->CreateParser(&parser, &layout, 0));
  ASSERT_NE(parser, nullptr);
  ASSERT_NE(layout, nullptr);
  auto* context = static_cast<BookLayoutContext*>(layout);
  EXPECT_EQ(context->GetBook(), static_cast<BookSource*>(source.Get())->Book());
  EXPECT_EQ(context->GetBookIdentifier(), static_cast<int32_t>(0x00C0FFEE));
  EXPECT_TRUE(context->UsesCurrentLayout());
  // Through the layout's own interface: the book's identifier is the stamp
  // that ties saved page states to the book at every opening.
  EXPECT_EQ(layout->GetDocumentStamp(), static_cast<int32_t>(0x00C0FFEE));
  EXPECT_TRUE(layout->ShowsRules());
  EXPECT_TRUE(context->FormsAllowed());
  bool sawText = false;
  for (int i = 0; i < 100; ++i) {
    const int32_t kind = parser->Next();
    if (kind == kElementEnd) break;
    if (kind == kElementText) sawText = true;
  }
  EXPECT_TRUE(sawText);
  source->DestroyParser(parser, layout);
  // Without a layout context asked for, none is made.
  ASSERT_TRUE(source->CreateParser(&parser, nullptr, 0));
  source->DestroyParser(parser, nullptr);
}

TEST(BookSource, InternalPagesAndPlainBooksAllowNoForms) {
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText("<p>x</p>", 1252);
  recipe.bookType = 800;
  DocumentSourcePtr internal;
  ASSERT_EQ(OpenBookSource(testbuild::BuildBook(recipe).Bytes(), &internal), 0);
  ElementStream* parser = nullptr;
  LayoutContext* layout = nullptr;
  ASSERT_TRUE(internal->CreateParser(&parser, &layout, 0));
  EXPECT_FALSE(static_cast<BookLayoutContext*>(layout)->FormsAllowed());
  internal->DestroyParser(parser, layout);
  testbuild::PalmDocRecipe plain;
  plain.text = Bytes("Plain text.\n");
  DocumentSourcePtr palmDoc;
  ASSERT_EQ(OpenBookSource(testbuild::BuildPalmDoc(plain).Bytes(), &palmDoc, u"\\plain.pdb"), 0);
  ASSERT_TRUE(palmDoc->CreateParser(&parser, &layout, 0)) << "read by the plain-text reader";
  EXPECT_NE(parser, nullptr);
  EXPECT_FALSE(static_cast<BookLayoutContext*>(layout)->FormsAllowed());
  palmDoc->DestroyParser(parser, layout);
  TextSearcher* searcher = palmDoc->CreateTextSearch();
  EXPECT_NE(searcher, nullptr);
  delete searcher;
}

TEST(BookSource, Txt2PdbDocBookBecomesASource) {
  ASSERT_EQ(std::system("txt2pdbdoc -V > /dev/null 2>&1"), 0) << "txt2pdbdoc is missing (Debian package txt2pdbdoc)";
  const std::filesystem::path folder = devtest::HostPath(u"\\");
  const std::string prose = testbuild::SampleText(20000, 5, 0);
  {
    std::ofstream text(folder / "source.txt", std::ios::binary);
    text << prose;
  }
  const std::string command = "txt2pdbdoc 'Sample' '" + (folder / "source.txt").string() + "' '" +
                              (folder / "sample.pdb").string() + "' > /dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  int32_t error = 0;
  PalmDatabase* database =
      OpenRecordDatabase(u"\\sample.pdb", 9, MakeFourCC("CORV"), MakeFourCC("BOOK"), &error);
  ASSERT_NE(database, nullptr) << error;
  BookSource* made = nullptr;
  ASSERT_EQ(BookSource::Create(database, nullptr, &made, 1252, 65002), 0);
  DocumentSourcePtr source;
  source.Adopt(made);
  EXPECT_EQ(made->TextKind(), 1);
  EXPECT_EQ(source->GetDocument()->GetTextLength(), prose.size());
  SharedWideString title;
  EXPECT_TRUE(source->GetTitle(&title));
}

}  // namespace
