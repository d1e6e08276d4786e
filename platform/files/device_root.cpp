// Device root selection and case-insensitive path resolution.
#include "platform/files/device_root.h"

#include <sys/stat.h>

#include <cstdlib>
#include <system_error>

#include "platform/core/last_error.h"

namespace fs = std::filesystem;

namespace devicefs {
namespace {

struct RootState {
  fs::path root;
  std::vector<std::u16string> cards;
  bool initialised = false;
};

RootState& State() {
  static RootState* state = new RootState;
  return *state;
}

std::vector<std::u16string> CardsFromEnvironment() {
  const char* env = std::getenv("TESSALYN_CARDS");
  std::string list = env ? env : "Storage Card";
  std::vector<std::u16string> cards;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) cards.push_back(FromUtf8(list.substr(start, end - start)));
    start = end + 1;
  }
  return cards;
}

fs::path RootFromEnvironment() {
  if (const char* env = std::getenv("TESSALYN_DEVICE_ROOT"); env && *env) return env;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return fs::path(xdg) / "tessalyn" / "device";
  const char* home = std::getenv("HOME");
  return fs::path(home ? home : "/tmp") / ".local" / "share" / "tessalyn" / "device";
}

void EnsureLayout(RootState& state) {
  std::error_code ec;
  fs::create_directories(state.root, ec);
  for (const auto& card : state.cards) fs::create_directories(state.root / ToUtf8(card), ec);
}

RootState& Initialised() {
  RootState& state = State();
  if (!state.initialised) {
    state.root = RootFromEnvironment();
    state.cards = CardsFromEnvironment();
    state.initialised = true;
    EnsureLayout(state);
  }
  return state;
}

bool IsForbidden(char16_t c) {
  return c < 0x20 || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' || c == u'>' || c == u'|';
}

// Finds the entry of `folder` whose name equals `name` without case. Host
// symbolic links and the platform's own folder are not part of the device.
bool FindEntry(const fs::path& folder, const std::u16string& name, fs::path* found, bool* isDir) {
  std::error_code ec;
  fs::path exact = folder / ToUtf8(name);
  struct stat st;
  if (::lstat(exact.c_str(), &st) == 0) {
    if (S_ISLNK(st.st_mode)) return false;
    *found = exact;
    *isDir = S_ISDIR(st.st_mode);
    return true;
  }
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::u16string entry = FromUtf8(it->path().filename().string());
    if (!NamesEqual(entry, name)) continue;
    if (::lstat(it->path().c_str(), &st) != 0 || S_ISLNK(st.st_mode)) continue;
    *found = it->path();
    *isDir = S_ISDIR(st.st_mode);
    return true;
  }
  return false;
}

}  // namespace

const fs::path& RootFolder() { return Initialised().root; }

fs::path StateFolder() {
  fs::path folder = RootFolder() / ".tessalyn";
  std::error_code ec;
  fs::create_directories(folder, ec);
  return folder;
}

const std::vector<std::u16string>& StorageCardNames() { return Initialised().cards; }

void SetRoot(const fs::path& root, const std::vector<std::u16string>& cards) {
  RootState& state = State();
  state.root = root;
  state.cards = cards;
  state.initialised = true;
  EnsureLayout(state);
}

char16_t FoldChar(char16_t c) {
  if (c >= u'A' && c <= u'Z') return c + 32;
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

std::string ToUtf8(const std::u16string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

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
  fs::path host = RootFolder();
  std::u16string device;
  out->isRoot = parts.empty();
  out->exists = true;
  out->isDirectory = true;
  for (size_t k = 0; k < parts.size(); ++k) {
    bool last = k + 1 == parts.size();
    if (k == 0 && NamesEqual(parts[k], u".tessalyn")) {
      SetLastError(last ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
      out->exists = false;
      if (!last) return false;
      // A file of that name can never be created either.
      SetLastError(ERROR_ACCESS_DENIED);
      return false;
    }
    fs::path found;
    bool isDir = false;
    if (!(last && allowWildcardLast && parts[k].find_first_of(u"*?") != std::u16string::npos) &&
        FindEntry(host, parts[k], &found, &isDir)) {
      host = found;
      device += u"\\" + FromUtf8(found.filename().string());
      out->isDirectory = isDir;
      if (!last && !isDir) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
      }
      continue;
    }
    if (!last) {
      SetLastError(ERROR_PATH_NOT_FOUND);
      return false;
    }
    host /= ToUtf8(parts[k]);
    device += u"\\" + parts[k];
    out->exists = false;
    out->isDirectory = false;
  }
  out->host = host;
  out->device = device.empty() ? u"\\" : device;
  return true;
}

}  // namespace devicefs
