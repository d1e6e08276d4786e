// ebase: prints an object database's "DUMP" file (its name, tables,
// columns and rows, null cells as NULL) or the load's error code, and can
// save it again elsewhere.
//
//   ebase FILE [--resave OUT]
//     --resave OUT  writes the loaded database to OUT (a new file beside it,
//                   then replaced)
//     -h, --help    this usage
//
// Exits with 0, the load's code (8 unreadable, 9 cannot open, 10 no memory
// or a bad table name, 11 a newer version, 12 no body) or 1 when the save
// failed.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "index/database/database.h"
#include "platform/files/device_root.h"
#include "platform/files/host_names.h"
#include "tools/command_line.h"

namespace {

namespace fs = std::filesystem;

constexpr char kUsage[] = "usage: ebase FILE [--resave OUT]\n";

std::string Utf8(const SharedWideString& s) {
  return devicefs::ToUtf8(std::u16string(s.Chars() != nullptr ? s.Chars() : u"", s.length));
}

void Print(Database* d) {
  std::printf("database %s\n", Utf8(d->Name()).c_str());
  for (int32_t t = d->FirstTable(); t >= 0; t = d->NextTable(t)) {
    ObjectTable* table = d->GetTable(t);
    std::printf("table %s\n", Utf8(table->Name()).c_str());
    for (int32_t c = table->FirstColumn(); c >= 0; c = table->NextColumn(c))
      std::printf("  column %s type %d\n", Utf8(table->GetColumn(c)->name).c_str(), table->GetColumn(c)->type);
    for (int32_t r = table->FirstRow(); r >= 0; r = table->NextRow(r)) {
      std::string line = "  row";
      for (int32_t c = table->FirstColumn(); c >= 0; c = table->NextColumn(c)) {
        line += " | ";
        if (table->IsNull(r, c)) {
          line += "NULL";
        } else if (table->IsTextColumn(c)) {
          const SharedWideString* text = table->GetText(r, c);
          line += text != nullptr ? Utf8(*text) : "NULL";
        } else {
          line += std::to_string(table->GetNumber(r, c));
        }
      }
      std::printf("%s\n", line.c_str());
    }
  }
}

// A host path as a device path under the file's folder as the root.
std::u16string DevicePath(const fs::path& file) { return u"\\" + devicefs::HostNameToDevice(file.filename().string()); }

}  // namespace

int main(int argc, char** argv) {
  std::string file;
  std::string out;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (toolcli::IsHelp(argv[i])) return toolcli::ShowUsage(kUsage);
    if (arg == "--resave") {
      if (i + 1 >= argc) return toolcli::UsageError(kUsage, "ebase", "--resave needs a file");
      out = argv[++i];
    } else if (toolcli::IsOption(argv[i])) {
      return toolcli::UsageError(kUsage, "ebase", "unknown option");
    } else if (file.empty()) {
      file = arg;
    } else {
      return toolcli::UsageError(kUsage);
    }
  }
  if (file.empty()) return toolcli::UsageError(kUsage);
  std::error_code ec;
  const fs::path path = fs::absolute(file, ec);
  if (ec || !fs::is_regular_file(path, ec)) {
    std::printf("error 9\n");
    return 9;
  }
  devicefs::SetRoot(path.parent_path(), {});
  DatabasePtr d;
  d.Adopt(new Database());
  d->SetFileAddress(DevicePath(path).c_str());
  const int32_t code = d->LoadFromFile();
  if (code != 0) {
    std::printf("error %d\n", code);
    return code;
  }
  Print(d.Get());
  if (!out.empty()) {
    const fs::path target = fs::absolute(out, ec);
    if (ec || target.parent_path() != path.parent_path()) {
      std::fprintf(stderr, "ebase: --resave writes beside FILE, in its folder\n");
      return 1;
    }
    d->SetPath(DevicePath(target).c_str());
    if (d->Save()) {
      std::fprintf(stderr, "ebase: cannot save %s\n", out.c_str());
      return 1;
    }
  }
  return 0;
}
