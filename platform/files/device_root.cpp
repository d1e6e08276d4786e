// Device root selection and case-insensitive path resolution.
#include "platform/files/device_root.h"

#include <sys/stat.h>

#include <cstdlib>
#include <system_error>

#include "platform/core/last_error.h"
#include "platform/files/host_names.h"
#include "platform/text/utf16_to_utf8.h"

namespace fs = std::filesystem;

namespace devicefs {
namespace {

constexpr char16_t kStateFolderName[] = u".tessalyn";

struct RootState {
  fs::path root;
  std::vector<std::u16string> cards;
  bool initialised = false;
};

RootState& State() {
  static RootState* state = new RootState;
  return *state;
}

fs::path RootFromEnvironment() {
  if (const char* env = std::getenv("TESSALYN_DEVICE_ROOT"); env && *env) return env;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return fs::path(xdg) / "tessalyn" / "device";
  const char* home = std::getenv("HOME");
  return fs::path(home ? home : "/tmp") / ".local" / "share" / "tessalyn" / "device";
}

// The root itself is the user's choice and may be reached through links;
// the cards inside it are made beside the root's own entries only.
void EnsureLayout(RootState& state) {
  std::error_code ec;
  fs::create_directories(state.root, ec);
  HostFd root = OpenRootFolder();
  if (!root.Valid()) return;
  for (const auto& card : state.cards) {
    std::string name;
    if (DeviceNameToHost(card, &name)) ::mkdirat(root.Get(), name.c_str(), 0755);
  }
}

RootState& Initialised() {
  RootState& state = State();
  if (!state.initialised) {
    state.root = RootFromEnvironment();
    const char* env = std::getenv("TESSALYN_CARDS");
    state.cards = CardNamesFromList(env ? env : "Storage Card");
    state.initialised = true;
    EnsureLayout(state);
  }
  return state;
}

bool IsForbidden(char16_t c) {
  return c < 0x20 || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' || c == u'>' || c == u'|';
}

struct Entry {
  EntryKind kind = EntryKind::kMissing;
  std::string name;  // host name as found
};

// Finds the entry of `folder` whose name equals `name` without case: the
// exact host name first, then any other spelling. A regular file or folder
// wins over a foreign entry, which the device cannot see; a foreign entry
// is reported only when nothing visible holds the name.
Entry FindEntry(int folder, const std::u16string& name, const std::string& exact) {
  Entry found{KindAt(folder, exact), exact};
  if (found.kind == EntryKind::kFile || found.kind == EntryKind::kFolder) return found;
  if (found.kind == EntryKind::kMissing) found.name.clear();
  for (const std::string& entry : ListFolder(folder)) {
    if (entry == exact || !NamesEqual(HostNameToDevice(entry), name)) continue;
    EntryKind kind = KindAt(folder, entry);
    if (kind == EntryKind::kFile || kind == EntryKind::kFolder) return Entry{kind, entry};
    if (kind == EntryKind::kForeign && found.kind == EntryKind::kMissing) found = Entry{kind, entry};
  }
  return found;
}

}  // namespace

const fs::path& RootFolder() { return Initialised().root; }

fs::path StateFolder() {
  OpenStateFolder();
  return RootFolder() / ".tessalyn";
}

const std::vector<std::u16string>& StorageCardNames() { return Initialised().cards; }

void SetRoot(const fs::path& root, const std::vector<std::u16string>& cards) {
  RootState& state = State();
  state.root = root;
  state.cards.clear();
  for (const auto& card : cards)
    if (IsValidCardName(card)) state.cards.push_back(card);
  state.initialised = true;
  EnsureLayout(state);
}

bool IsValidCardName(const std::u16string& name) {
  if (name.empty() || name == u"." || name == u".." || NamesEqual(name, kStateFolderName)) return false;
  if (name.back() == u'.' || name.back() == u' ') return false;
  for (char16_t c : name)
    if (c == u'\\' || c == u'/' || IsForbidden(c)) return false;
  std::string host;
  return DeviceNameToHost(name, &host);
}

std::vector<std::u16string> CardNamesFromList(const std::string& list) {
  std::vector<std::u16string> cards;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    std::u16string card = HostNameToDevice(list.substr(start, end - start));
    if (IsValidCardName(card)) cards.push_back(card);
    start = end + 1;
  }
  return cards;
}

char16_t FoldChar(char16_t c) {
  if (c >= u'A' && c <= u'Z') return c + 32;
  // Y with diaeresis is the one capital of Latin Extended-A whose small
  // letter lies in Latin-1.
  if (c == 0x178) return 0xFF;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
    // Latin Extended-A pairs alternate upper/lower; the block shifts parity at 0x139.
    bool shifted = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    bool upper = shifted ? (c % 2 == 1) : (c % 2 == 0);
    return upper ? c + 1 : c;
  }
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  return c;
}

std::u16string FoldName(const std::u16string& name) {
  std::u16string out(name);
  for (auto& c : out) c = FoldChar(c);
  return out;
}

bool NamesEqual(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldChar(a[i]) != FoldChar(b[i])) return false;
  return true;
}

std::string ToUtf8(const std::u16string& text) { return devtext::Utf16ToUtf8String(text); }

std::u16string FromUtf8(const std::string& text) {
  std::u16string out;
  size_t i = 0;
  while (i < text.size()) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    uint32_t c = 0xFFFD;
    size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > text.size()) {
      ++i;
    } else {
      c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
      for (size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
      i += n;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

bool IsStorageCard(const Resolved& r) {
  if (!r.exists || !r.isDirectory) return false;
  size_t slash = r.device.find(u'\\', 1);
  if (slash != std::u16string::npos || r.device.size() < 2) return false;
  std::u16string name = r.device.substr(1);
  for (const auto& card : StorageCardNames())
    if (NamesEqual(card, name)) return true;
  return false;
}

bool Resolve(LPCWSTR path, Resolved* out, bool allowWildcardLast) {
  *out = Resolved();
  if (!path) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  std::u16string text(path);
  if (text.size() >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  std::vector<std::u16string> parts;
  size_t i = 0;
  while (i <= text.size()) {
    size_t j = text.find_first_of(u"\\/", i);
    if (j == std::u16string::npos) j = text.size();
    std::u16string part = text.substr(i, j - i);
    i = j + 1;
    if (part.empty() || part == u".") continue;
    if (part == u"..") {
      SetLastError(ERROR_INVALID_NAME);
      return false;
    }
    parts.push_back(part);
  }
  for (size_t k = 0; k < parts.size(); ++k) {
    bool last = k + 1 == parts.size();
    for (char16_t c : parts[k]) {
      bool wildcard = c == u'*' || c == u'?';
      if (IsForbidden(c) && !(wildcard && last && allowWildcardLast)) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
      }
    }
    // Trailing dots and blanks are dropped by the device's file system.
    while (!parts[k].empty() && (parts[k].back() == u'.' || parts[k].back() == u' ')) parts[k].pop_back();
    if (parts[k].empty()) {
      SetLastError(ERROR_INVALID_NAME);
      return false;
    }
  }
  HostFd root = OpenRootFolder();
  if (!root.Valid()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  auto folder = std::make_shared<HostFd>(std::move(root));
  fs::path host = RootFolder();
  std::u16string device;
  out->isRoot = parts.empty();
  out->exists = true;
  out->isDirectory = true;
  for (size_t k = 0; k < parts.size(); ++k) {
    bool last = k + 1 == parts.size();
    if (k == 0 && NamesEqual(parts[k], kStateFolderName)) {
      out->exists = false;
      // Nothing beneath it can be found, and a file of that name can never
      // be created either.
      SetLastError(last ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
      return false;
    }
    std::string exact;
    if (!DeviceNameToHost(parts[k], &exact)) {
      SetLastError(ERROR_INVALID_NAME);
      return false;
    }
    Entry entry;
    bool pattern = last && allowWildcardLast && parts[k].find_first_of(u"*?") != std::u16string::npos;
    if (!pattern) entry = FindEntry(folder->Get(), parts[k], exact);
    if (!last) {
      HostFd next;
      if (entry.kind == EntryKind::kFolder) next = OpenSubfolder(folder->Get(), entry.name);
      if (!next.Valid()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
      }
      folder = std::make_shared<HostFd>(std::move(next));
      host /= entry.name;
      device += u"\\" + HostNameToDevice(entry.name);
      continue;
    }
    if (entry.kind == EntryKind::kMissing) entry.name = exact;
    out->exists = entry.kind == EntryKind::kFile || entry.kind == EntryKind::kFolder;
    out->isDirectory = entry.kind == EntryKind::kFolder;
    out->isForeign = entry.kind == EntryKind::kForeign;
    out->leaf = entry.name;
    host /= entry.name;
    device += u"\\" + (entry.kind == EntryKind::kMissing ? parts[k] : HostNameToDevice(entry.name));
  }
  out->folder = std::move(folder);
  out->host = host;
  out->device = device.empty() ? u"\\" : device;
  return true;
}

}  // namespace devicefs
