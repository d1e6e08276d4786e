// scriptrun FILE: runs a script program (UTF-8 text) with a plain host whose
// Response.Write(x) prints the text of x to standard output in UTF-8, one
// call one piece of text with nothing added, as node's
// process.stdout.write(String(x)) does. A compile error or a script error is
// printed on standard error with its code or status, its line and its
// message; the exit status is then 1 (2 for a bad command line or file).
//
// The device's clock and time zone are set before the run, through the
// device's own calls, so that dates come out the same on every machine:
//   --time YYYY-MM-DDTHH:MM:SS[.mmm]  the UTC time the clock starts from
//                                      (default 2025-06-15T12:00:00)
//   --zone Z      utc (default), +HHMM or -HHMM (a fixed offset), cet,
//                 us-eastern or sydney (with daylight time)
//   --host-clock  the host's own clock and zone instead
//   --repeat N    run the program N times in fresh contexts (timing)
//   --book BOOK   run in a document context over the book: sql_execute
//                 runs look-up queries over its indexes and OpenDatabase
//                 opens object databases (device paths, the book's folder
//                 being the device root)
//   -h, --help    this usage
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "foundation/wide_string/shared_wide_string.h"
#include "platform/text/utf16_to_utf8.h"
#include "platform/time/known_zones.h"
#include "platform/time/system_time.h"
#include "platform/time/time_zone.h"
#include "index/dbscript/book_data_services.h"
#include "platform/files/device_root.h"
#include "platform/files/host_names.h"
#include "script/builtins/builtin_script_runner.h"
#include "script/host/script_host_object.h"
#include "storage/books/book_document.h"
#include "storage/container/palm_database.h"
#include "storage/container/stream_factory.h"
#include "tests/support/fake_index_source.h"

#include "tools/command_line.h"

namespace {

constexpr char kUsage[] =
    "usage: scriptrun [--time YYYY-MM-DDTHH:MM:SS[.mmm]] [--zone Z] [--host-clock] [--repeat N] [--book BOOK] "
    "FILE\n";

void Usage() { toolcli::UsageError(kUsage); }

// UTF-8 to UTF-16; malformed bytes become U+FFFD.
std::u16string DecodeUtf8(const std::string& bytes) {
  std::u16string out;
  size_t i = 0;
  while (i < bytes.size()) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    uint32_t cp = 0xFFFD;
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 1) {
      cp = c;
    } else if (n > 1 && i + n <= bytes.size()) {
      cp = c & (0x7F >> n);
      for (size_t k = 1; k < n; ++k) {
        unsigned char d = static_cast<unsigned char>(bytes[i + k]);
        if ((d >> 6) != 2) {
          cp = 0xFFFD;
          n = k;
          break;
        }
        cp = (cp << 6) | (d & 0x3F);
      }
    }
    i += n == 0 ? 1 : n;
    if (cp >= 0x10000 && cp <= 0x10FFFF) {
      out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp > 0xFFFF ? 0xFFFD : cp));
    }
  }
  return out;
}

// Each write on its own, so a lone surrogate becomes U+FFFD, as node
// writes it.
void WriteToStdout(void* /*data*/, const WCHAR* text, uint32_t length) {
  std::string bytes = devtext::Utf16ToUtf8String(text, length);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void DiscardWrite(void*, const WCHAR*, uint32_t) {}

// The clock starts at the given UTC time, the default when there is none.
bool SetClockText(const char* text) {
  int y = 2025, mo = 6, d = 15, h = 12, mi = 0, s = 0, ms = 0;
  if (text != nullptr) {
    h = 0;
    int n = std::sscanf(text, "%d-%d-%dT%d:%d:%d.%d", &y, &mo, &d, &h, &mi, &s, &ms);
    if (n < 3) return false;
  }
  SYSTEMTIME start{static_cast<WORD>(y),  static_cast<WORD>(mo), 0, static_cast<WORD>(d),
                   static_cast<WORD>(h),  static_cast<WORD>(mi), static_cast<WORD>(s),
                   static_cast<WORD>(ms)};
  return SetSystemTime(&start) != FALSE;
}

bool SetZoneText(const std::string& zone) {
  TIME_ZONE_INFORMATION info{};
  if (zone == "utc") {
    info = known_zones::UtcZone();
  } else if (zone == "cet") {
    info = known_zones::CentralEuropeanZone();
  } else if (zone == "us-eastern") {
    info = known_zones::UsEasternZone();
  } else if (zone == "sydney") {
    info = known_zones::SydneyZone();
  } else if (zone.size() == 5 && (zone[0] == '+' || zone[0] == '-')) {
    int hours = std::atoi(zone.substr(1, 2).c_str());
    int minutes = std::atoi(zone.substr(3, 2).c_str());
    int offset = hours * 60 + minutes;
    info = known_zones::FixedOffsetZone(zone[0] == '-' ? -offset : offset);
  } else {
    return false;
  }
  return SetTimeZoneInformation(&info) != FALSE;
}

// The document host of --book: the host object base's members, with the
// book's queries and databases behind sql_execute and OpenDatabase.
class BookScriptHost : public ScriptHostObject {
 public:
  explicit BookScriptHost(DocumentSource* source) : services_(source) {}
  ScriptAppEnvironment* GetAppEnvironment(int32_t, int32_t) override { return nullptr; }
  ScriptDocumentContext* GetDocumentContext() override { return nullptr; }
  ScriptDataServices* GetDataServices() override { return &services_; }
  // The column-type constants TYPE_STRING to TYPE_UINT, as a document's host
  // gives them to database scripts.
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override {
    if (ref->IsSelf() && name.atom >= kHostTypeString && name.atom <= kHostTypeUint) {
      *status = 0;
      ref->owner = this;
      ref->memberCode = name.atom;
      return status;
    }
    return ScriptHostObject::ResolveMember(status, name, ref, create);
  }

 private:
  BookDataServices services_;
};

// Opens the book (its folder becomes the device root); null with a message
// when it cannot be read.
DocumentSource* OpenBook(const char* path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path book = fs::absolute(path, ec);
  if (ec || !fs::is_regular_file(book, ec)) {
    std::fprintf(stderr, "scriptrun: cannot open %s\n", path);
    return nullptr;
  }
  devicefs::SetRoot(book.parent_path(), {});
  const std::u16string device = u"\\" + devicefs::HostNameToDevice(book.filename().string());
  int32_t code = 0;
  PalmDatabase* store = OpenRecordDatabase(device.c_str(), 9, MakeFourCC("CORV"), MakeFourCC("BOOK"), &code);
  if (store == nullptr) {
    std::fprintf(stderr, "scriptrun: %s is no book (error %d)\n", path, code);
    return nullptr;
  }
  std::unique_ptr<BookDocument> doc(new BookDocument());
  code = doc->Open(store, true, nullptr, 1252, 65002);
  if (code != 0) {
    std::fprintf(stderr, "scriptrun: %s cannot be read (error %d)\n", path, code);
    return nullptr;
  }
  return testbuild::FakeIndexSource::Create(std::move(doc));
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = nullptr;
  const char* time = nullptr;
  std::string zone = "utc";
  bool hostClock = false;
  long repeat = 1;
  const char* bookPath = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (toolcli::IsHelp(argv[i])) {
      return toolcli::ShowUsage(kUsage);
    } else if (std::strcmp(argv[i], "--time") == 0 && i + 1 < argc) {
      time = argv[++i];
    } else if (std::strcmp(argv[i], "--zone") == 0 && i + 1 < argc) {
      zone = argv[++i];
    } else if (std::strcmp(argv[i], "--host-clock") == 0) {
      hostClock = true;
    } else if (std::strcmp(argv[i], "--book") == 0 && i + 1 < argc) {
      bookPath = argv[++i];
    } else if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
      repeat = std::strtol(argv[++i], nullptr, 10);
    } else if (path == nullptr && !toolcli::IsOption(argv[i])) {
      path = argv[i];
    } else {
      Usage();
      return 2;
    }
  }
  if (path == nullptr || repeat < 1) {
    Usage();
    return 2;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "scriptrun: cannot read %s\n", path);
    return 2;
  }
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::u16string text = DecodeUtf8(bytes.str());

  // The host's clock and zone are the device's until set.
  if (!hostClock && (!SetClockText(time) || !SetZoneText(zone))) {
    Usage();
    return 2;
  }

  SharedWideString source;
  if (!text.empty() && !source.FromChars(text.data(), static_cast<uint32_t>(text.size()))) {
    std::fprintf(stderr, "scriptrun: out of memory\n");
    return 2;
  }
  DocumentSourcePtr book;
  if (bookPath != nullptr) {
    book.Adopt(OpenBook(bookPath));
    if (!book) return 2;
  }
  int exitCode = 0;
  for (long run = 0; run < repeat && exitCode == 0; ++run) {
    // Only the last run prints: earlier ones are for timing.
    ScriptProgramRunner runner(run + 1 == repeat ? &WriteToStdout : &DiscardWrite, nullptr);
    if (!runner.Ready()) {
      std::fprintf(stderr, "scriptrun: the script context could not be made (status %d)\n",
                   runner.SetupStatus());
      return 2;
    }
    BookScriptHost host(book.Get());
    if (book && !runner.PushScope(&host)) {
      std::fprintf(stderr, "scriptrun: out of memory\n");
      return 2;
    }
    ScriptProgramOutcome outcome;
    if (!runner.Run(source, &outcome)) {
      std::fflush(stdout);
      SharedWideString message;
      FormatScriptProgramFailure(outcome, &message);
      std::string line = devtext::Utf16ToUtf8String(message.Chars(), message.length);
      std::fprintf(stderr, "%s\n", line.c_str());
      exitCode = 1;
    }
  }
  std::fflush(stdout);
  return exitCode;
}
