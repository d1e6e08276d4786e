// markup-elements FILE: prints the element stream that the markup parser
// makes of a UTF-8 (or plain ASCII) markup file, one element a line, for
// debugging and for side-by-side timing with other HTML parsers.
//   --positions   prefix every element with its source position
//   --count       print only the number of elements of each kind
//   --block N     hand the text to the parser in blocks of N characters
// markup-elements --generate SEED BYTES: writes a generated book-like
// document of about BYTES bytes (the benchmark's input) to standard output.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "layout/markup/markup_parser.h"
#include "tests/support/fake_document.h"
#include "tests/support/fake_document_markup.h"

#include "tools/command_line.h"

namespace {

constexpr char kUsage[] =
    "usage: markup-elements [--positions] [--count] [--block N] FILE\n"
    "       markup-elements --generate SEED BYTES\n";

}  // namespace

int main(int argc, char** argv) {
  bool positions = false;
  bool countOnly = false;
  uint32_t block = 4096;
  const char* path = nullptr;
  if (argc >= 2 && std::strcmp(argv[1], "--generate") == 0) {
    unsigned long long seed = 0, bytes = 0;
    if (argc != 4 || !toolcli::ParseNumber(argv[2], UINT32_MAX, &seed) ||
        !toolcli::ParseNumber(argv[3], SIZE_MAX, &bytes)) {
      return toolcli::UsageError(kUsage);
    }
    std::string book = GenerateMarkupBook(static_cast<uint32_t>(seed), static_cast<size_t>(bytes));
    std::fwrite(book.data(), 1, book.size(), stdout);
    return 0;
  }
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    unsigned long long value = 0;
    if (toolcli::IsHelp(arg)) {
      return toolcli::ShowUsage(kUsage);
    } else if (std::strcmp(arg, "--positions") == 0) {
      positions = true;
    } else if (std::strcmp(arg, "--count") == 0) {
      countOnly = true;
    } else if (std::strcmp(arg, "--block") == 0) {
      if (i + 1 >= argc || !toolcli::ParseNumber(argv[++i], UINT32_MAX, &value) || value == 0)
        return toolcli::UsageError(kUsage, "markup-elements", "--block needs a number of characters above 0");
      block = static_cast<uint32_t>(value);
    } else if (toolcli::IsOption(arg) || path != nullptr) {
      return toolcli::UsageError(kUsage);
    } else {
      path = arg;
    }
  }
  if (path == nullptr) return toolcli::UsageError(kUsage);
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "markup-elements: cannot read %s\n", path);
    return 1;
  }
  std::stringstream bytes;
  bytes << file.rdbuf();
  auto document = FakeDocument::FromUtf8(bytes.str(), block);

  MarkupParser parser;
  parser.AttachSource(document.get(), 0);
  if (!parser.Restart(0, false)) {
    std::fprintf(stderr, "markup-elements: out of memory\n");
    return 1;
  }
  unsigned long counts[6] = {};
  for (;;) {
    int32_t kind = parser.Next();
    if (kind >= 0 && kind < 6) ++counts[kind];
    if (kind == kElementEnd) break;
    if (kind == kElementAgain) continue;
    if (!countOnly) std::printf("%s\n", DescribeElement(parser, kind, positions).c_str());
    parser.ReleaseChunks();
  }
  if (countOnly) {
    std::printf("text %lu\ntag %lu\nspace %lu\nzwnj %lu\n", counts[kElementText], counts[kElementTag],
                counts[kElementSpace], counts[kElementBreak]);
  }
  return 0;
}
