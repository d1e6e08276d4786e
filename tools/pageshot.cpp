// pageshot BOOK [--pages N] [--out DIR]: opens a book (a corv book, a Palm
// Doc file, a text or HTML file) through the document loader in a document
// view on a headless window, as the reader will, draws each page (the first
// N when given) and writes page-001.png, page-002.png, ... into DIR (the
// current folder by default). Messages the reader would show go to stderr;
// a book that cannot be opened ends with the message and exit 1.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/files/device_root.h"
#include "platform/files/host_names.h"
#include "resources/tessalyn_resources.h"
#include "tests/support/view_harness.h"
#include "tools/command_line.h"

namespace {

namespace fs = std::filesystem;

constexpr char kUsage[] = "usage: pageshot BOOK [--pages N] [--out DIR]\n";
constexpr unsigned long long kMaxPages = 100000;

int Shoot(const fs::path& book, unsigned long long pages, const fs::path& out) {
  devicefs::SetRoot(book.parent_path(), {});
  ViewHarness harness;
  harness.application.echo = true;
  if (!harness.Create(240, 320)) {
    std::fprintf(stderr, "pageshot: no window\n");
    return 1;
  }
  const std::u16string address = u"\\" + devicefs::HostNameToDevice(book.filename().string());
  if (!harness.Open(address)) return 1;
  DocumentView& view = *harness.view;
  for (unsigned long long n = 1; pages == 0 || n <= pages; ++n) {
    harness.Paint();
    char file[32];
    std::snprintf(file, sizeof file, "page-%03llu.png", n);
    if (!harness.WritePng((out / file).string())) {
      std::fprintf(stderr, "pageshot: cannot write %s\n", (out / file).string().c_str());
      return 1;
    }
    if ((pages != 0 && n == pages) || !view.GoToPageRelative(+2, 1, 255)) break;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (toolcli::IsHelp(argv[i])) return toolcli::ShowUsage(kUsage);
  const char* book = nullptr;
  unsigned long long pages = 0;
  fs::path out = ".";
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--pages") == 0) {
      if (++i >= argc || !toolcli::ParseNumber(argv[i], kMaxPages, &pages) || pages == 0)
        return toolcli::UsageError(kUsage, "pageshot", "--pages takes 1 to 100000");
    } else if (std::strcmp(argv[i], "--out") == 0) {
      if (++i >= argc) return toolcli::UsageError(kUsage, "pageshot", "--out takes a folder");
      out = argv[i];
    } else if (toolcli::IsOption(argv[i]) || book != nullptr) {
      return toolcli::UsageError(kUsage, "pageshot", "unknown argument");
    } else {
      book = argv[i];
    }
  }
  if (book == nullptr) return toolcli::UsageError(kUsage);
  std::error_code ec;
  const fs::path path = fs::absolute(book, ec);
  if (ec || !fs::is_regular_file(path, ec)) {
    std::fprintf(stderr, "pageshot: no file %s\n", book);
    return 1;
  }
  if (!fs::is_directory(out, ec)) {
    std::fprintf(stderr, "pageshot: no folder %s\n", out.string().c_str());
    return 1;
  }
  InstallTessalynResources();
  return Shoot(path, pages, fs::absolute(out, ec));
}
