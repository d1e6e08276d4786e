// Books with index tables for the index tests: a small book built with the
// index records appended, opened as a stream database (records in separate
// heap blocks, so the sanitizer sees any read past one), behind the fake
// owner source; tables come from it by descriptor.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "index/tables/index_table.h"
#include "tests/support/book_builder_reader.h"
#include "tests/support/fake_index_source.h"
#include "tests/support/index_builder.h"

namespace indextest {

struct IndexBook {
  DocumentSourcePtr source;
  testbuild::FakeIndexSource* Fake() const { return static_cast<testbuild::FakeIndexSource*>(source.Get()); }
  std::vector<uint32_t> headerRecords;

  // The table the source answers for a descriptor (counted), or null.
  IndexTablePtr Table(const std::u16string& descriptor) const {
    DocumentStreamPtr stream;
    source->OpenStreamByName(&stream, descriptor.data(), static_cast<uint32_t>(descriptor.size()));
    IndexTablePtr table;
    if (stream && stream->GetStreamKind() == kIndexTableStreamKind)
      table.Assign(static_cast<IndexTable*>(stream.Get()));
    return table;
  }
};

struct IndexInBook {
  testbuild::BuiltIndex index;
  int32_t specialKind;
};

inline std::vector<uint8_t> BookBytesWith(const std::vector<IndexInBook>& indexes,
                                          std::vector<uint32_t>* headerRecords = nullptr,
                                          uint32_t language = 0x0409) {
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText("A dictionary.", 1252);
  recipe.language = language;
  testbuild::BuiltBook book = testbuild::BuildBook(recipe);
  for (const IndexInBook& i : indexes) {
    uint32_t h = testbuild::AddIndexToBook(book, i.index, i.specialKind);
    if (headerRecords) headerRecords->push_back(h);
  }
  return book.Bytes();
}

inline IndexBook OpenIndexBook(const std::vector<uint8_t>& bytes) {
  IndexBook result;
  // A file of its own for each book, so that several can be open at once.
  static int serial = 0;
  std::string name = "\\index" + std::to_string(++serial) + ".corv";
  testbuild::OpenedBook opened =
      testbuild::OpenBookBytes(bytes, 65002, testbuild::kOpenStream, nullptr, std::u16string(name.begin(), name.end()));
  EXPECT_EQ(opened.error, 0);
  if (opened.doc == nullptr) return result;
  result.source.Adopt(testbuild::FakeIndexSource::Create(std::move(opened.doc)));
  return result;
}

inline IndexBook OpenIndexBook(const std::vector<IndexInBook>& indexes, uint32_t language = 0x0409) {
  std::vector<uint32_t> headers;
  IndexBook book = OpenIndexBook(BookBytesWith(indexes, &headers, language));
  book.headerRecords = headers;
  return book;
}

inline std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

inline std::string Narrow(const SharedWideString& s) {
  std::string out;
  for (uint32_t i = 0; i < s.length; ++i) out.push_back(static_cast<char>(s.Chars()[i]));
  return out;
}

}  // namespace indextest
