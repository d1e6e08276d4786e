// indexquery: runs a look-up query over a book's index tables and prints
// the labels of the result in order, one a line (UTF-8), for trying queries
// and for the benchmarks' peers.
//
//   indexquery BOOK 'QUERY' [--reverse]
//   indexquery BOOK --spell WORD [--max N]
//     --reverse   the result from its last entry backwards
//     --spell     the keys of the main index closest to the word (spelling
//                 correction), one "label score" a line, best first, then
//                 "answer A" (0, or 1 when the look-up failed: no spelling
//                 blocks, a word the rules cannot cut)
//     --max N     at most N suggestions (default 6)
//     -h, --help  this usage
//
// Exits with the translator's code: 0, 19 (syntax error) or 20 (an unknown
// table or field); 1 when the book cannot be opened. Tables are opened by
// descriptor the way the book's own source hands them out ("table=NAME"
// through the naming table, "tableid=N", "special_table=default", ...).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "foundation/code_pages/code_page.h"
#include "index/query/index_query_result.h"
#include "index/query/index_query_translator.h"
#include "index/spelling/spelling_lookup.h"
#include "index/tables/index_table.h"
#include "platform/files/device_root.h"
#include "platform/files/host_names.h"
#include "storage/books/book_document.h"
#include "storage/container/palm_database.h"
#include "storage/container/stream_factory.h"
#include "tests/support/fake_index_source.h"
#include "tools/command_line.h"

namespace {

namespace fs = std::filesystem;

constexpr char kUsage[] =
    "usage: indexquery BOOK 'QUERY' [--reverse]\n"
    "       indexquery BOOK --spell WORD [--max N]\n";

void PrintLabel(IndexQueryResult* result, const QueryPosition& p) {
  SharedWideString label;
  result->GetEntryLabel(p.entry, &label);
  std::u16string text(label.Chars() != nullptr ? label.Chars() : u"", label.length);
  std::printf("%s\n", devicefs::ToUtf8(text).c_str());
}

}  // namespace

// UTF-8 to UTF-16; false when the bytes are no UTF-8.
bool Utf16(const std::string& utf8, SharedWideString* out) {
  std::u16string units(utf8.size() + 1, u'\0');
  uint32_t bytes = static_cast<uint32_t>(units.size() * sizeof(char16_t));
  if (!utf8.empty() && ConvertFromUtf8(reinterpret_cast<const uint8_t*>(utf8.data()), static_cast<uint32_t>(utf8.size()),
                                       kCodePageUtf16, units.data(), &bytes, nullptr) != kConvertOk)
    return false;
  out->FromChars(units.data(), utf8.empty() ? 0 : bytes / sizeof(char16_t));
  return true;
}

int Spell(DocumentSource* source, const std::string& utf8, uint32_t max) {
  DocumentStreamPtr stream;
  source->OpenStreamByName(&stream, u"special_table=default", 21);
  if (!stream || stream->GetStreamKind() != kIndexTableStreamKind) {
    std::fprintf(stderr, "indexquery: the book has no main index\n");
    return 1;
  }
  IndexTable* table = static_cast<IndexTable*>(stream.Get());
  SharedWideString word;
  if (!Utf16(utf8, &word)) {
    std::fprintf(stderr, "indexquery: the word is not UTF-8\n");
    return 1;
  }
  SegmentedArray results;
  InitSpellingResults(&results);
  const int32_t answer = LookupWordWide(table, word.Chars(), word.length, &results, max, true);
  for (uint32_t i = 0; i < results.count; ++i) {
    const SpellingSuggestion& s = SuggestionAt(results, i);
    SharedWideString label;
    table->GetLabel(s.entry, &label);
    std::u16string text(label.Chars() != nullptr ? label.Chars() : u"", label.length);
    std::printf("%s %d\n", devicefs::ToUtf8(text).c_str(), s.score);
  }
  std::printf("answer %d\n", answer);
  return 0;
}

int main(int argc, char** argv) {
  bool reverse = false;
  bool spell = false;
  long max = 6;
  std::string paths[2];
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    if (toolcli::IsHelp(argv[i])) return toolcli::ShowUsage(kUsage);
    if (std::string(argv[i]) == "--reverse") reverse = true;
    else if (std::string(argv[i]) == "--spell" && i + 1 < argc && count == 1) {
      spell = true;
      paths[count++] = argv[++i];
    } else if (std::string(argv[i]) == "--max" && i + 1 < argc) {
      char* end = nullptr;
      max = std::strtol(argv[++i], &end, 10);
      if (end == argv[i] || *end != 0 || max < 0 || max > 1000) return toolcli::UsageError(kUsage);
    }
    else if (toolcli::IsOption(argv[i])) return toolcli::UsageError(kUsage, "indexquery", "unknown option");
    else if (count < 2) paths[count++] = argv[i];
    else return toolcli::UsageError(kUsage);
  }
  if (count != 2 || (reverse && spell)) return toolcli::UsageError(kUsage);
  std::error_code ec;
  const fs::path book = fs::absolute(paths[0], ec);
  if (ec || !fs::is_regular_file(book, ec)) {
    std::fprintf(stderr, "indexquery: cannot open %s\n", paths[0].c_str());
    return 1;
  }
  devicefs::SetRoot(book.parent_path(), {});
  const std::u16string device = u"\\" + devicefs::HostNameToDevice(book.filename().string());
  int32_t code = 0;
  PalmDatabase* store = OpenRecordDatabase(device.c_str(), 9, MakeFourCC("CORV"), MakeFourCC("BOOK"), &code);
  if (store == nullptr) {
    std::fprintf(stderr, "indexquery: %s is no book (error %d)\n", paths[0].c_str(), code);
    return 1;
  }
  std::unique_ptr<BookDocument> doc(new BookDocument());
  code = doc->Open(store, true, nullptr, 1252, 65002);
  if (code != 0) {
    std::fprintf(stderr, "indexquery: %s cannot be read (error %d)\n", paths[0].c_str(), code);
    return 1;
  }
  DocumentSourcePtr source;
  source.Adopt(testbuild::FakeIndexSource::Create(std::move(doc)));
  if (spell) return Spell(source.Get(), paths[1], static_cast<uint32_t>(max));
  // The query as UTF-16.
  const std::string& utf8 = paths[1];
  std::u16string units(utf8.size() + 1, u'\0');
  uint32_t bytes = static_cast<uint32_t>(units.size() * sizeof(char16_t));
  if (!utf8.empty() && ConvertFromUtf8(reinterpret_cast<const uint8_t*>(utf8.data()), static_cast<uint32_t>(utf8.size()),
                                       kCodePageUtf16, units.data(), &bytes, nullptr) != kConvertOk) {
    std::fprintf(stderr, "indexquery: the query is not UTF-8\n");
    return 19;
  }
  SharedWideString query;
  query.FromChars(units.data(), utf8.empty() ? 0 : bytes / sizeof(char16_t));
  IndexQueryResultPtr result;
  const int32_t status = RunIndexQuery(query, source.Get(), &result);
  if (status != 0) {
    std::fprintf(stderr, "indexquery: %s\n",
                 status == 19 ? "Error: Syntax error in SQL request"
                 : status == 20 ? "Error: Unknown object (table or column) referenced in SQL request"
                                : "Error: Not enough memory");
    return status;
  }
  QueryPosition p;
  if (!reverse) {
    for (result->GetEntryAt(&p); p.entryNumber >= 0; result->StepForward(&p)) PrintLabel(result.Get(), p);
  } else {
    result->ResolvePosition(-2, &p);
    for (result->StepBackward(&p); p.entryNumber >= 0; result->StepBackward(&p)) PrintLabel(result.Get(), p);
  }
  return 0;
}
