// The document loader (see document_loader.h).
#include "browser/loader/document_loader.h"

#include "browser/sources/book_source.h"
#include "browser/sources/file_document_source.h"
#include "foundation/files/file_mode.h"
#include "index/database/database.h"
#include "platform/files/files.h"
#include "platform/memory/allocator.h"
#include "script/pages/script_page_host.h"
#include "storage/books/book_document.h"
#include "storage/container/stream_factory.h"
#include "storage/documents/document_host.h"
#include "storage/side_file/book_parameter_file.h"

namespace {

// Books and databases are opened read-only; the file must exist.
constexpr uint32_t kReadOnlyDatabase = kFileModeRead | kFileModeOpenExisting;
constexpr int32_t kSourceCodePage = 1252;
constexpr int32_t kTargetCodePage = 65002;

// Terminated copy of a text for the platform's calls.
class TerminatedPath {
 public:
  explicit TerminatedPath(const SharedWideString& text) : chars_(text.Duplicate(true)) {}
  ~TerminatedPath() { DeviceFree(chars_); }
  TerminatedPath(const TerminatedPath&) = delete;
  TerminatedPath& operator=(const TerminatedPath&) = delete;
  const WCHAR* Get() const { return chars_; }

 private:
  WCHAR* chars_;
};

// Whether the path names an existing file (not a folder), and its write
// time.
bool FileExists(const SharedWideString& path, uint64_t* writeTime = nullptr) {
  if (path.IsEmpty()) return false;
  TerminatedPath terminated(path);
  if (terminated.Get() == nullptr) return false;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(terminated.Get(), &data);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  if (writeTime != nullptr) {
    *writeTime = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                 data.ftLastWriteTime.dwLowDateTime;
  }
  return true;
}

WCHAR LowerAscii(WCHAR c) { return c >= 'A' && c <= 'Z' ? static_cast<WCHAR>(c + 32) : c; }

bool EqualsIgnoringCase(const WCHAR* units, uint32_t n, const char* ascii) {
  uint32_t i = 0;
  for (; ascii[i] != '\0'; ++i) {
    if (i >= n || LowerAscii(units[i]) != static_cast<WCHAR>(ascii[i])) return false;
  }
  return i == n;
}

// The extension of the path's last component (empty when none).
SharedWideString Extension(const SharedWideString& path) {
  const WCHAR* units = path.Chars();
  uint32_t i = path.length;
  while (i > 0 && units[i - 1] != '.' && units[i - 1] != '\\' && units[i - 1] != '/') --i;
  SharedWideString extension;
  if (i > 0 && units[i - 1] == '.') extension.AssignFrom(path, i);
  return extension;
}

bool AppendAscii(SharedWideString* out, const char* ascii) {
  for (; *ascii != '\0'; ++ascii) {
    const WCHAR unit = static_cast<WCHAR>(static_cast<unsigned char>(*ascii));
    if (!out->AppendChars(&unit, 1)) return false;
  }
  return true;
}

bool IsPathSeparator(WCHAR c) { return c == '\\' || c == '/'; }

}  // namespace

uint32_t LoadErrorString(int32_t code) {
  switch (code) {
    case 1: return 5023;   // "Bad version number"
    case 2: return 5041;   // "Record size not supported"
    case 8: return 5025;   // "File corrupted"
    case 9: return 5035;   // "File not found"
    case 10: return 5034;  // "Not enough memory"
    case 11: return 5032;  // the book is newer than the reader
    case 12: return 5035;
    default: return 0;
  }
}

DocumentLoader::DocumentLoader() = default;

DocumentLoader::~DocumentLoader() {
  // Sources still held elsewhere (by script values destroyed after the
  // loader) must not call back into a freed loader.
  for (uint32_t i = 0; i < cache_.Count(); ++i) cache_[i].source->SetLoader(nullptr);
  cache_.Clear();
  for (uint32_t i = 0; i < sideFiles_.Count(); ++i) sideFiles_[i]->SetCloseListener(nullptr);
  sideFiles_.Clear();
  delete pageEnvironment_;
}

bool DocumentLoader::Bind(DocumentHost* host, LoaderEnvironment* environment, LibraryCatalogue* catalogue,
                          const ScriptPageServices& scripts) {
  host_ = host;
  environment_ = environment;
  catalogue_ = catalogue != nullptr ? catalogue : &nullCatalogue_;
  scripts_ = scripts;
  return true;
}

DocumentLoader::Flags DocumentLoader::SetFlags(bool reportErrors, bool secondFlag) {
  const Flags previous{reportErrors_, secondFlag_};
  reportErrors_ = reportErrors;
  secondFlag_ = secondFlag;
  return previous;
}

DocumentSource* DocumentLoader::FindCached(const Location& location) {
  for (uint32_t i = 0; i < cache_.Count(); ++i) {
    if (Url::Compare(cache_[i].url, location.url) == 0) {
      cache_[i].source->AddRef();
      return cache_[i].source;
    }
  }
  return nullptr;
}

void DocumentLoader::Uncache(DocumentSource* source) {
  for (uint32_t i = 0; i < cache_.Count(); ++i) {
    if (cache_[i].source != source) continue;
    for (uint32_t j = i; j + 1 < cache_.Count(); ++j) cache_[j] = cache_[j + 1];
    cache_[cache_.Count() - 1] = CacheEntry();
    cache_.count -= 1;
    return;
  }
}

DocumentSource* DocumentLoader::Load(Location* location, bool* reported) {
  bool ignored = false;
  return LoadBounded(location, reported != nullptr ? reported : &ignored, 0);
}

DocumentSource* DocumentLoader::LoadBounded(Location* location, bool* reported, int32_t depth) {
  *reported = !reportErrors_;
  if (DocumentSource* cached = FindCached(*location)) return cached;
  if (!location->url.text.MakeWritable() || !location->fragment.MakeWritable()) return nullptr;
  const int32_t state = location->url.state;
  DocumentSource* source = LoadByKind(location, reported, depth);
  // Rewritten commands were cached under their file address.
  if (state == kUrlRedirect || state == kUrlDatabaseCommand || source == nullptr) return source;
  if (source->GetLoader() != nullptr) return source;
  if (!Cache(source, *location)) {
    source->Release();
    return nullptr;
  }
  return source;
}

bool DocumentLoader::Cache(DocumentSource* source, const Location& location) {
  CacheEntry entry;
  entry.source = source;
  entry.url = location.url;
  SharedWideString path;
  if (location.url.IsExternalOrPath() && location.url.GetText(&path, false)) FileExists(path, &entry.writeTime);
  if (cache_.Append(entry) < 0) return false;
  bool known = false;
  for (uint32_t i = 0; i < recent_.Count() && !known; ++i) known = Url::Compare(recent_.Get(i).url, location.url) == 0;
  if (!known) {
    if (recent_.Count() >= kRecentLocations) recent_.RemoveAt(0);
    recent_.Append(location);
  }
  source->SetLoader(this);
  source->SetUrl(location.url);
  return true;
}

DocumentSource* DocumentLoader::LoadByKind(Location* location, bool* reported, int32_t depth) {
  switch (location->url.state) {
    case kUrlPath:
    case kUrlBookInnerPath:
      return LoadPath(location, reported, depth);
    case kUrlLocalFile:
      return LoadLocalFile(location, reported);
    case kUrlRedirect:
    case kUrlDatabaseCommand:
      if (depth >= kMaxRestarts || !CommandPage(&location->url)) return nullptr;
      return LoadBounded(location, reported, depth + 1);
    default:
      // Cart pages are written by the page elements, not built yet.
      return nullptr;
  }
}

bool DocumentLoader::CommandPage(Url* url) {
  SharedWideString target, subpath, param;
  FindQueryArgument(url->text, kQuerySubpath, &subpath);
  FindQueryArgument(url->text, kQueryParam, &param);
  // The last "title" or "name" given is the target.
  SegmentedTypedArray<int32_t> codes;
  SegmentedTypedArray<SharedWideString> values;
  ParseQueryArguments(url->text, &codes, &values);
  bool hasTarget = false;
  for (uint32_t i = 0; i < codes.Count(); ++i) {
    if (codes[i] == kQueryTitle || codes[i] == kQueryName) {
      target = values[i];
      hasTarget = true;
    }
  }
  if (!hasTarget) return false;
  bool found = false;
  if (PercentDecode(target, &target)) {
    if (url->state == kUrlRedirect) {
      catalogue_->ScanAllLocations();
      SharedWideString path;
      found = catalogue_->FindPathByTitle(target, &path) && url->FromFilePath(path);
    } else {
      SharedWideString path;
      found = environment_ != nullptr && environment_->GetDatabaseFolder(&path) && AppendAscii(&path, "\\") &&
              path.Append(target) && AppendAscii(&path, ".ebase") && url->FromFilePath(path);
      if (found) url->state = kUrlLocalFile;
    }
  }
  url->commandKind = kCommandNone;
  if (!found) {
    url->Parse(SharedWideString(), true);
    return false;
  }
  if (!subpath.IsEmpty() || !param.IsEmpty()) {
    const int32_t state = url->state;
    SharedWideString text;
    SharedWideString decoded;
    bool ok = url->GetText(&text, true) && text.MakeWritable();
    if (ok && !subpath.IsEmpty()) ok = PercentDecode(subpath, &decoded) && AppendAscii(&text, "\\") && text.Append(decoded);
    if (ok && !param.IsEmpty()) ok = PercentDecode(param, &decoded) && AppendAscii(&text, "?") && text.Append(decoded);
    if (!ok || !url->Parse(text, true)) return false;
    if (state == kUrlLocalFile) url->state = kUrlLocalFile;
  }
  return true;
}

DocumentSource* DocumentLoader::LoadPath(Location* location, bool* reported, int32_t depth) {
  for (int32_t restarts = 0; restarts <= kMaxRestarts; ++restarts) {
    location->url.state = kUrlPath;
    location->url.bookPathLength = 0;
    SharedWideString path;
    location->url.GetText(&path, false);
    if (path.IsEmpty() || FileExists(path)) return LoadLocalFile(location, reported);

    // The book: the longest leading part of the path that is a file.
    uint32_t bookEnd = path.length;
    SharedWideString book;
    for (;;) {
      while (bookEnd > 0 && !IsPathSeparator(path.Chars()[bookEnd - 1])) --bookEnd;
      if (bookEnd <= 1) return nullptr;
      --bookEnd;  // before the separator
      book.AssignSubstring(path, 0, bookEnd);
      if (FileExists(book)) break;
    }
    // The inner name in the address's own text: past as many separators as
    // the book's path holds, plus one.
    uint32_t separators = book.CountChar('\\') + book.CountChar('/') + 1;
    const SharedWideString raw = location->url.text;
    const WCHAR* units = raw.Chars();
    uint32_t at = 0;
    uint32_t innerStart = raw.length;
    while (at < raw.length) {
      uint32_t width = 0;
      if (units[at] == '\\' || units[at] == '/') {
        width = 1;
      } else if (units[at] == '%' && at + 2 < raw.length && units[at + 1] == '5' &&
                 (units[at + 2] == 'C' || units[at + 2] == 'c')) {
        width = 3;
      }
      if (width != 0 && --separators == 0) {
        innerStart = at + width;
        break;
      }
      at += width != 0 ? width : 1;
    }
    if (innerStart >= raw.length) return nullptr;
    SharedWideString inner;
    inner.AssignFrom(raw, innerStart);
    const uint32_t bookPathLength = at;

    Location bookLocation;
    if (!bookLocation.url.FromFilePath(book)) return nullptr;
    DocumentSource* source = LoadBounded(&bookLocation, reported, depth);
    if (source == nullptr) return nullptr;
    if (!location->fragment.IsEmpty()) {
      location->url = bookLocation.url;
      return source;
    }
    InnerLink link;
    if (!source->ResolveInnerLink(inner.Chars(), inner.length, &link)) {
      source->Release();
      return nullptr;
    }
    if (link.kind == InnerLink::kScriptTemplate || link.kind == InnerLink::kCompiledScriptPage) {
      SharedWideString pageAddress = raw;
      SharedWideString bookAddress;
      bookLocation.url.GetText(&bookAddress, true);
      location->url.SetBookInnerPath(raw, static_cast<int32_t>(bookPathLength));
      bool redirected = false;
      DocumentSource* page = BuildScriptPage(this, &pageAddress, source, bookAddress, link, &redirected);
      source->Release();
      if (page != nullptr || !redirected) return page;
      // The page asked for another page: load that one instead.
      Location next;
      if (!Location::Parse(&next, pageAddress, nullptr)) return nullptr;
      *location = next;
      if (location->url.state != kUrlPath && location->url.state != kUrlBookInnerPath) {
        return depth < kMaxRestarts ? LoadBounded(location, reported, depth + 1) : nullptr;
      }
      continue;
    }
    location->url = bookLocation.url;
    if (link.kind >= InnerLink::kFirstRecordEntryKind) {
      if (link.last - link.first == 1 && link.flag == 0) {
        location->SetPositionFragment(link.first + 1);
      } else {
        location->SetEntryFragment(inner);
      }
    } else {
      location->SetPosFragment(link.first);
    }
    return source;
  }
  // Pages that keep redirecting to each other.
  *reported = !reportErrors_;
  return nullptr;
}

DocumentSource* DocumentLoader::LoadLocalFile(Location* location, bool* reported) {
  SharedWideString path;
  location->url.GetText(&path, false);
  if (path.IsEmpty()) return nullptr;
  const SharedWideString extension = Extension(path);
  const WCHAR* ext = extension.Chars();
  const uint32_t n = extension.length;
  if (EqualsIgnoringCase(ext, n, "pdb") || EqualsIgnoringCase(ext, n, "prc") || EqualsIgnoringCase(ext, n, "qvg") ||
      EqualsIgnoringCase(ext, n, "ebase") || EqualsIgnoringCase(ext, n, "corv")) {
    return LoadPalmDatabase(location, path, reported);
  }
  int32_t kind = 0;
  if (EqualsIgnoringCase(ext, n, "htm") || EqualsIgnoringCase(ext, n, "html")) {
    kind = kFileHtml;
  } else if (EqualsIgnoringCase(ext, n, "txt")) {
    kind = kFilePlainText;
  } else if (EqualsIgnoringCase(ext, n, "gif") || EqualsIgnoringCase(ext, n, "bmp") ||
             EqualsIgnoringCase(ext, n, "ogg")) {
    kind = kFileMedia;
  } else {
    return nullptr;
  }
  return FileDocumentSource::Create(location->url, kind, kSourceCodePage, kTargetCodePage);
}

DocumentSource* DocumentLoader::LoadPalmDatabase(Location* location, const SharedWideString& path, bool* reported) {
  TerminatedPath terminated(path);
  if (terminated.Get() == nullptr) {
    ReportError(10, reported);
    return nullptr;
  }
  int32_t error = 0;
  PalmDatabase* database = OpenRecordDatabase(terminated.Get(), kReadOnlyDatabase, 0, 0, &error);
  if (database == nullptr) {
    // An object database that does not exist yet starts empty; a file that
    // is there but will not open is an error like any other, so that no
    // later save replaces it.
    if (location->url.state == kUrlLocalFile && !FileExists(path) &&
        GetFileAttributesW(terminated.Get()) == INVALID_FILE_ATTRIBUTES) {
      Database* empty = DeviceNew<Database>();
      if (empty == nullptr || !empty->SetFileAddress(terminated.Get())) {
        if (empty != nullptr) empty->Release();
        ReportError(10, reported);
        return nullptr;
      }
      location->url.state = kUrlPath;
      return empty;
    }
    ReportError(error != 0 ? error : 12, reported);
    return nullptr;
  }
  const uint8_t* type = database->Header().type;
  if (type[0] == 'D' && type[1] == 'U' && type[2] == 'M' && type[3] == 'P') {
    Database* loaded = nullptr;
    error = LoadDatabase(database, &loaded);
    delete database;
    if (loaded == nullptr) {
      ReportError(error, reported);
      return nullptr;
    }
    loaded->SetFileAddress(terminated.Get());
    location->url.state = kUrlPath;
    return loaded;
  }
  BookSource* book = nullptr;
  error = BookSource::Create(database, host_, &book, kSourceCodePage, kTargetCodePage);
  if (book == nullptr) {
    ReportError(error, reported);
    return nullptr;
  }
  // Internal pages: no side file, not remembered as the last document.
  const uint32_t bookType = book->GetDocument()->GetBookType();
  if (bookType >= 768 && bookType <= 1022) location->url.state = kUrlCommand;
  return book;
}

void DocumentLoader::ReportError(int32_t code, bool* reported) {
  if (!reportErrors_) return;
  const uint32_t stringId = LoadErrorString(code);
  if (stringId != 0 && host_ != nullptr) host_->MessageBox(stringId, false);
  *reported = true;
}

Database* DocumentLoader::LoadObjectDatabase(Location* location) {
  const Flags saved = SetFlags(false, false);
  DocumentSource* source = Load(location, nullptr);
  RestoreFlags(saved);
  if (source == nullptr) return nullptr;
  if (source->GetSourceKind() != DocumentSource::kObjectDatabaseKind) {
    source->Release();
    return nullptr;
  }
  return static_cast<Database*>(source);
}

DocumentStream* DocumentLoader::OpenStream(Location* location) {
  int32_t number = -1;
  SharedWideString name;
  SplitStreamFragment(location->fragment, &number, &name);
  DocumentSource* source = Load(location, nullptr);
  if (source == nullptr) return nullptr;
  DocumentStreamPtr stream;
  if (number >= 0) {
    source->OpenStreamByIndex(&stream, number);
  } else {
    source->OpenStreamByName(&stream, name.Chars(), name.length);
  }
  source->Release();
  return stream.Detach();
}

DocumentStream* DocumentLoader::OpenStreamByText(const SharedWideString& text, const Url* base) {
  Location location;
  if (!Location::Parse(&location, text, base)) return nullptr;
  return OpenStream(&location);
}

bool DocumentLoader::NeedsReload(const SharedWideString& path, bool force) {
  for (uint32_t i = 0; i < cache_.Count(); ++i) {
    SharedWideString decoded;
    if (!cache_[i].url.IsExternalOrPath() || !cache_[i].url.GetText(&decoded, false)) continue;
    if (decoded.length < path.length) continue;
    bool prefix = true;
    for (uint32_t c = 0; c < path.length && prefix; ++c) prefix = LowerAscii(decoded.Chars()[c]) == LowerAscii(path.Chars()[c]);
    // "\Storage Card" covers "\Storage Card\..." but not "\Storage Card2\...".
    if (!prefix || (decoded.length > path.length && path.length != 0 &&
                    !IsPathSeparator(path.Chars()[path.length - 1]) && !IsPathSeparator(decoded.Chars()[path.length]))) {
      continue;
    }
    if (force) return true;
    uint64_t now = 0;
    if (!FileExists(decoded, &now) || now != cache_[i].writeTime) return true;
  }
  return false;
}

void DocumentLoader::ShowMessage(int32_t stringId) {
  if (host_ != nullptr) host_->MessageBox(static_cast<uint32_t>(stringId), false);
}

bool DocumentLoader::ResolveAddress(const SharedWideString& base, const SharedWideString& target,
                                    SharedWideString* resolved) {
  Location baseLocation;
  if (!Location::Parse(&baseLocation, base, nullptr)) return false;
  return Location::FromText(target, &baseLocation.url, resolved);
}

BookParameterFile* DocumentLoader::FindSideFile(const SharedWideString& bookPath) {
  for (uint32_t i = 0; i < sideFiles_.Count(); ++i) {
    SharedWideString path;
    if (!path.AssignEncodedString(sideFiles_[i]->BookPath()) || path.length != bookPath.length) continue;
    bool equal = true;
    for (uint32_t c = 0; c < path.length && equal; ++c) {
      equal = LowerAscii(path.Chars()[c]) == LowerAscii(bookPath.Chars()[c]);
    }
    if (equal) {
      sideFiles_[i]->AddRef();
      return sideFiles_[i];
    }
  }
  return nullptr;
}

bool DocumentLoader::RegisterSideFile(BookParameterFile* sideFile, DocumentSource*) {
  if (sideFile == nullptr || sideFiles_.Append(sideFile) < 0) return false;
  sideFile->SetCloseListener(this);
  return true;
}

void DocumentLoader::OnSideFileClosed(BookParameterFile* sideFile) {
  catalogue_->LookUpDocumentEntry(sideFile);
  for (uint32_t i = 0; i < sideFiles_.Count(); ++i) {
    if (sideFiles_[i] != sideFile) continue;
    for (uint32_t j = i; j + 1 < sideFiles_.Count(); ++j) sideFiles_[j] = sideFiles_[j + 1];
    sideFiles_.count -= 1;
    return;
  }
}
