// booktext BOOK: prints the text of a corv book or a Palm Doc file as UTF-8,
// read through the system's own book document exactly as the reader reads
// it (block by block, decompressed and converted). A bad file ends the
// program with its error code as exit status and the code's message on
// standard error. Used to time the decoder as a whole process beside other
// Palm Doc tools.
//
// The book is read where it is: the device root is the book's own folder
// and the book is read through a read-only mapping, so nothing is copied,
// nothing is written into that folder (which may be read-only) and nothing
// is left behind, however the program ends.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "foundation/language/localized_strings.h"
#include "platform/files/device_root.h"
#include "platform/files/host_names.h"
#include "platform/text/utf16_to_utf8.h"
#include "resources/tessalyn_resources.h"
#include "storage/books/book_document.h"
#include "storage/container/palm_database.h"
#include "storage/container/stream_factory.h"

#include "tools/command_line.h"

namespace {

namespace fs = std::filesystem;

uint32_t MessageFor(int32_t code) {
  switch (code) {
    case kBookErrorVersion: return 5023;
    case kBookErrorRecordSize: return 5041;
    case kBookErrorNotFound:
    case kBookErrorCannotOpen: return 5035;
    case kBookErrorMemory: return 5034;
    case kBookErrorNewerFormat: return 5032;
    default: return 5025;
  }
}

int Fail(int32_t code) {
  const WCHAR* text = LoadLocalizedString(MessageFor(code));
  std::u16string message = text != nullptr ? std::u16string(text) : u"Error";
  std::fprintf(stderr, "booktext: %s (error %d)\n", devicefs::ToUtf8(message).c_str(), code);
  return code;
}

// UTF-16 to UTF-8 across blocks through the shared encoder, which holds a
// high surrogate that ends one block until the next. Output goes out in
// 64 KB writes.
class Utf8Writer {
 public:
  ~Utf8Writer() { Flush(); }
  void Put(const WCHAR* units, uint32_t count) {
    while (count > 0) {
      const devtext::Utf8Progress done = encoder_.Write(units, count, buffer_ + used_, sizeof(buffer_) - used_);
      used_ += done.bytesWritten;
      units += done.unitsRead;
      count -= static_cast<uint32_t>(done.unitsRead);
      if (count > 0) Drain();
    }
  }
  void Flush() {
    if (sizeof(buffer_) - used_ < devtext::kUtf8ReplacementBytes) Drain();
    used_ += encoder_.Finish(buffer_ + used_, sizeof(buffer_) - used_);
    Drain();
  }

 private:
  void Drain() {
    std::fwrite(buffer_, 1, used_, stdout);
    used_ = 0;
  }

  devtext::Utf16ToUtf8Stream encoder_;
  uint8_t buffer_[1 << 16];
  size_t used_ = 0;
};

int32_t PrintBook(const std::u16string& path) {
  int32_t code = 0;
  PalmDatabase* store = OpenRecordDatabase(path.c_str(), 9, MakeFourCC("CORV"), MakeFourCC("BOOK"), &code);
  if (store == nullptr) return code != 0 ? code : kBookErrorCorrupt;
  BookDocument doc;
  code = doc.Open(store, true, nullptr, 1252, 65002);
  if (code != 0) return code;
  Utf8Writer writer;
  uint32_t position = 0;
  for (;;) {
    // Asked again at each block: the text length of a Palm Doc file is
    // corrected when a record turns out to be another length than it said.
    uint32_t start = 0, end = 0;
    if (!doc.GetSectionRange(0, &start, &end)) return kBookErrorCorrupt;
    if (position >= end) break;
    TextBlock block;
    if (!doc.ReadBlock(position, &block, 0, false)) {
      writer.Flush();
      return doc.GetErrorCode() != 0 ? doc.GetErrorCode() : kBookErrorCorrupt;
    }
    uint32_t skip = doc.PositionDistance(block.start, position, 0);
    if (skip > block.length) skip = block.length;
    writer.Put(block.Units() + skip, block.length - skip);
    const uint32_t next = doc.AdvancePosition(block.start, block.length, 0);
    doc.ReleaseBlock(block.blockId);
    if (next <= position) return kBookErrorCorrupt;
    position = next;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  static const char kUsage[] = "usage: booktext BOOK\n";
  for (int i = 1; i < argc; ++i)
    if (toolcli::IsHelp(argv[i])) return toolcli::ShowUsage(kUsage);
  if (argc != 2 || toolcli::IsOption(argv[1])) return toolcli::UsageError(kUsage);
  InstallTessalynResources();
  // The book's folder becomes the device root, the book "\<its name>".
  std::error_code ec;
  const fs::path book = fs::absolute(argv[1], ec);
  int32_t code = kBookErrorNotFound;
  if (!ec && fs::is_regular_file(book, ec)) {
    devicefs::SetRoot(book.parent_path(), {});
    code = PrintBook(u"\\" + devicefs::HostNameToDevice(book.filename().string()));
  }
  std::fflush(stdout);
  return code == 0 ? 0 : Fail(code);
}
