// indexquery: runs a look-up query over a book's index tables and prints
// the labels of the result in order, one a line (UTF-8), for trying queries
// and for the benchmarks' peers.
//
//   indexquery BOOK 'QUERY' [--reverse]
//     --reverse   the result from its last entry backwards
//     -h, --help  this usage
//
// Exits with the translator's code: 0, 19 (syntax error) or 20 (an unknown
// table or field); 1 when the book cannot be opened. Tables are opened by
// descriptor the way the book's own source hands them out ("table=NAME"
// through the naming table, "tableid=N", "special_table=default", ...).
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "foundation/code_pages/code_page.h"
#include "index/query/index_query_result.h"
#include "index/query/index_query_translator.h"
#include "platform/files/device_root.h"
#include "platform/files/host_names.h"
#include "storage/books/book_document.h"
#include "storage/container/palm_database.h"
#include "storage/container/stream_factory.h"
#include "tests/support/fake_index_source.h"
#include "tools/command_line.h"

namespace {

namespace fs = std::filesystem;

constexpr char kUsage[] = "usage: indexquery BOOK 'QUERY' [--reverse]\n";

void PrintLabel(IndexQueryResult* result, const QueryPosition& p) {
  SharedWideString label;
  result->GetEntryLabel(p.entry, &label);
  std::u16string text(label.Chars() != nullptr ? label.Chars() : u"", label.length);
  std::printf("%s\n", devicefs::ToUtf8(text).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  bool reverse = false;
  std::string paths[2];
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    if (toolcli::IsHelp(argv[i])) return toolcli::ShowUsage(kUsage);
    if (std::string(argv[i]) == "--reverse") reverse = true;
    else if (toolcli::IsOption(argv[i]) && count == 0) return toolcli::UsageError(kUsage, "indexquery", "unknown option");
    else if (count < 2) paths[count++] = argv[i];
    else return toolcli::UsageError(kUsage);
  }
  if (count != 2) return toolcli::UsageError(kUsage);
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
