// What the source tests share: books built with index tables and inner
// links, written into the emulated device and opened as book sources, and
// local files written as bytes.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "browser/sources/book_source.h"
#include "storage/container/stream_factory.h"
#include "tests/support/book_builder.h"
#include "tests/support/index_builder.h"
#include "tests/support/palm_database_builder.h"

namespace sourcetest {

inline std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// A book with `resources` small records after its text, each of
// 10 + its resource number bytes, all holding that number.
inline testbuild::BuiltBook MarkupBook(uint32_t resources = 8, const std::string& text = "<p>Hello book</p>") {
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText(text, 1252);
  recipe.resourceRecords = resources;
  testbuild::BuiltBook book = testbuild::BuildBook(recipe);
  return book;
}

inline testbuild::IndexRecipe OneEntryIndex(const std::string& label, std::map<uint8_t, std::vector<uint32_t>> values,
                                            std::map<uint8_t, uint8_t> widths = {}) {
  testbuild::IndexRecipe recipe;
  testbuild::IndexEntry entry;
  entry.label = Bytes(label);
  entry.values = std::move(values);
  recipe.entries.push_back(entry);
  recipe.valuesPerItem = std::move(widths);
  return recipe;
}

// Writes the bytes at the device path and opens them as a book source; the
// error code of the creation (or -1 when the file could not be written).
inline int32_t OpenBookSource(const std::vector<uint8_t>& bytes, DocumentSourcePtr* out,
                              const std::u16string& path = u"\\book.prc") {
  if (!testbuild::WriteDeviceFile(path, bytes)) return -1;
  int32_t error = 0;
  PalmDatabase* database =
      OpenRecordDatabase(path.c_str(), 11, MakeFourCC("CORV"), MakeFourCC("BOOK"), &error);
  if (database == nullptr) return error;
  BookSource* source = nullptr;
  error = BookSource::Create(database, nullptr, &source, 1252, 65002);
  if (source != nullptr) out->Adopt(source);
  return error;
}

inline std::u16string Text(const SharedWideString& text) {
  return text.length == 0 ? std::u16string() : std::u16string(text.Chars(), text.length);
}

}  // namespace sourcetest
