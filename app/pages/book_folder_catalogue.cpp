// The stand-in library catalogue: storage locations and the book files of
// their "\eBooks" folders.
#include "app/pages/book_folder_catalogue.h"

#include "app/environment/app_environment.h"
#include "foundation/encoded_string/encoded_string.h"
#include "foundation/encoded_string/encoded_string_array.h"
#include "foundation/files/storage_cards.h"
#include "platform/files/files.h"
#include "platform/memory/allocator.h"
#include "storage/books/book_header_summary.h"

namespace {

// The extensions of the files the reader opens as books; the first three
// are Palm databases, which carry a database name.
constexpr const char* kBookExtensions[] = {"corv", "prc", "pdb", "txt", "html", "htm"};
constexpr uint32_t kDatabaseKinds = 3;
constexpr uint32_t kMainMemoryName = 5375;
constexpr uint32_t kDatabaseNameBytes = 32;

uint16_t LowerAscii(uint16_t unit) { return unit >= 'A' && unit <= 'Z' ? static_cast<uint16_t>(unit + 32) : unit; }

// The index of the name's book extension, or -1.
int32_t BookExtension(const WCHAR* name, uint32_t length) {
  for (uint32_t k = 0; k < sizeof(kBookExtensions) / sizeof(kBookExtensions[0]); ++k) {
    const char* extension = kBookExtensions[k];
    uint32_t n = 0;
    while (extension[n] != 0) ++n;
    if (length < n + 2 || name[length - n - 1] != u'.') continue;
    bool same = true;
    for (uint32_t i = 0; i < n && same; ++i)
      same = LowerAscii(name[length - n + i]) == static_cast<uint16_t>(extension[i]);
    if (same) return static_cast<int32_t>(k);
  }
  return -1;
}

// A zero-terminated copy for the platform's calls, freed by its holder.
class TerminatedText {
 public:
  explicit TerminatedText(const SharedWideString& text) : chars_(text.Duplicate(true)) {}
  ~TerminatedText() { DeviceFree(chars_); }
  TerminatedText(const TerminatedText&) = delete;
  TerminatedText& operator=(const TerminatedText&) = delete;
  const WCHAR* get() const { return chars_; }

 private:
  WCHAR* chars_;
};

bool SameText(const SharedWideString& a, const SharedWideString& b) {
  if (a.length != b.length) return false;
  for (uint32_t i = 0; i < a.length; ++i)
    if (a.Chars()[i] != b.Chars()[i]) return false;
  return true;
}

// The Palm database name at the head of the file: up to 32 bytes ending at
// the first zero, read as code page 1252. False when the file cannot be
// read or is shorter.
bool ReadDatabaseName(const SharedWideString& path, SharedWideString* name) {
  TerminatedText terminated(path);
  if (terminated.get() == nullptr) return false;
  HANDLE file = CreateFileW(terminated.get(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  uint8_t bytes[kDatabaseNameBytes] = {};
  DWORD read = 0;
  const bool ok = ReadFile(file, bytes, kDatabaseNameBytes, &read, nullptr) && read == kDatabaseNameBytes;
  CloseHandle(file);
  if (!ok) return false;
  uint32_t length = 0;
  while (length < kDatabaseNameBytes && bytes[length] != 0) ++length;
  return DecodeBookText(bytes, length, 1252, name);
}

}  // namespace

bool BookFolderCatalogue::IsBookFileName(const WCHAR* name, uint32_t length) {
  return BookExtension(name, length) >= 0;
}

bool BookFolderCatalogue::AddLocation(const SharedWideString& path, const SharedWideString& name, bool card) {
  StorageLocation location;
  location.path = path;
  location.displayName = name;
  location.card = card;
  return locations_.Append(std::move(location)) >= 0;
}

bool BookFolderCatalogue::ListStorageLocations() {
  locations_.Clear();
  books_.Clear();
  SharedWideString name;
  if (environment_ == nullptr || !environment_->LoadString(kMainMemoryName, &name)) {
    name = SharedWideString(u"Main Memory");
  }
  if (!AddLocation(SharedWideString(u"\\"), name, false)) return false;
  EncodedStringArray cards;
  EnumerateStorageCards(&cards);
  for (uint32_t i = 0; i < cards.Count(); ++i) {
    SharedWideString path;
    if (!path.AssignEncodedString(cards.At(i)) || path.length < 2) continue;
    SharedWideString display;
    display.AssignFrom(path, 1);  // the folder without its leading backslash
    if (!AddLocation(path, display, true)) return false;
  }
  return true;
}

bool BookFolderCatalogue::ScanLocation(uint32_t index) {
  StorageLocation& location = locations_[index];
  location.scanned = true;
  SharedWideString folder;
  // Main memory's "\" gives "\eBooks", a card's folder "\Card\eBooks".
  if (location.path.length > 1 && !folder.Append(location.path)) return false;
  if (!folder.AppendChars(u"\\eBooks", 7)) return false;
  SharedWideString pattern;
  if (!pattern.Append(folder) || !pattern.AppendChars(u"\\*", 2)) return false;
  TerminatedText terminated(pattern);
  if (terminated.get() == nullptr) return false;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(terminated.get(), &found);
  if (search == INVALID_HANDLE_VALUE) return true;  // no such folder: no books there
  bool ok = true;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    uint32_t length = 0;
    while (length < MAX_PATH && found.cFileName[length] != 0) ++length;
    if (!IsBookFileName(found.cFileName, length)) continue;
    CatalogueBook book;
    book.location = index;
    ok = book.fileName.FromChars(found.cFileName, length) && book.path.Append(folder) &&
         book.path.AppendChars(u"\\", 1) && book.path.Append(book.fileName) && books_.Append(std::move(book)) >= 0;
  } while (ok && FindNextFileW(search, &found));
  FindClose(search);
  return ok;
}

void BookFolderCatalogue::ScanAllLocations() {
  if (locations_.Count() == 0 && !ListStorageLocations()) return;
  bool changed = false;
  for (uint32_t i = 0; i < locations_.Count(); ++i) {
    if (locations_[i].scanned) continue;
    ScanLocation(i);
    changed = true;
  }
  if (changed && listener_ != nullptr) listener_->CatalogueChanged();
}

void BookFolderCatalogue::RescanAllLocations() {
  books_.Clear();
  for (uint32_t i = 0; i < locations_.Count(); ++i) locations_[i].scanned = false;
}

bool BookFolderCatalogue::FindPathByTitle(const SharedWideString& title, SharedWideString* path) {
  ScanAllLocations();
  for (uint32_t i = 0; i < books_.Count(); ++i) {
    const CatalogueBook& book = books_[i];
    if (BookExtension(book.fileName.Chars(), book.fileName.length) >= static_cast<int32_t>(kDatabaseKinds)) continue;
    SharedWideString name;
    if (!ReadDatabaseName(book.path, &name) || !SameText(name, title)) continue;
    *path = book.path;
    return true;
  }
  return false;
}

void BookFolderCatalogue::OnDriveAdded(const SharedWideString&, const SharedWideString&) { Relist(); }

void BookFolderCatalogue::Relist() {
  // The locations are listed afresh; every one is scanned again when the
  // books are next asked for, so a card that went takes its books along.
  ListStorageLocations();
  if (listener_ != nullptr) listener_->CatalogueChanged();
}
