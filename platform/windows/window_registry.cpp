// Registry files. An entry is written to a temporary name and renamed into
// place, so readers never see half an entry. Texts are stored as the hex
// digits of their UTF-16 units, which keeps the format line-based whatever a
// title holds.
#include "platform/windows/window_registry.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/files/device_root.h"

namespace fs = std::filesystem;

namespace devwin {
namespace {

constexpr const char* kMagic = "tessalyn-window 1";

fs::path RegistryFolder() {
  fs::path folder = devicefs::StateFolder() / "windows";
  std::error_code ec;
  fs::create_directories(folder, ec);
  return folder;
}

std::string FileName(const WindowIdentity& identity) {
  return std::to_string(identity.pid) + "-" + std::to_string(identity.processStart) + "-" +
         std::to_string(identity.serial);
}

std::string Hex(const std::u16string& text) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (char16_t unit : text)
    for (int shift = 12; shift >= 0; shift -= 4) out.push_back(digits[(unit >> shift) & 0xF]);
  return out;
}

bool FromHex(const std::string& hex, std::u16string* out) {
  if (hex.size() % 4 != 0) return false;
  out->clear();
  for (size_t i = 0; i < hex.size(); i += 4) {
    unsigned value = 0;
    for (size_t j = i; j < i + 4; ++j) {
      char c = hex[j];
      int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
      if (digit < 0) return false;
      value = value * 16 + static_cast<unsigned>(digit);
    }
    out->push_back(static_cast<char16_t>(value));
  }
  return true;
}

bool ReadEntry(const fs::path& file, RegisteredWindow* out) {
  std::ifstream in(file);
  std::string line;
  if (!std::getline(in, line) || line != kMagic) return false;
  int fields = 0;
  while (std::getline(in, line)) {
    size_t space = line.find(' ');
    std::string key = line.substr(0, space);
    std::string value = space == std::string::npos ? "" : line.substr(space + 1);
    try {
      if (key == "pid") {
        out->identity.pid = static_cast<uint32_t>(std::stoul(value));
      } else if (key == "start") {
        out->identity.processStart = std::stoull(value);
      } else if (key == "serial") {
        out->identity.serial = std::stoull(value);
      } else if (key == "created") {
        out->createdAt = std::stoull(value);
      } else if (key == "class") {
        if (!FromHex(value, &out->className)) return false;
      } else if (key == "title") {
        if (!FromHex(value, &out->title)) return false;
      } else {
        continue;
      }
    } catch (const std::exception&) {
      return false;
    }
    ++fields;
  }
  return fields == 6;
}

}  // namespace

uint64_t ProcessStartTime(uint32_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat;
  if (!std::getline(in, stat)) return 0;
  // The command name may hold spaces and parentheses: fields follow the last ')'.
  size_t close = stat.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(stat.substr(close + 1));
  std::string state;
  fields >> state;
  if (state == "Z" || state == "X" || state == "x") return 0;
  std::string skip;
  for (int i = 0; i < 18; ++i) fields >> skip;  // fields 4 to 21
  uint64_t start = 0;
  if (!(fields >> start)) return 0;
  return start;
}

bool ProcessAlive(uint32_t pid, uint64_t startTime) {
  return pid != 0 && startTime != 0 && ProcessStartTime(pid) == startTime;
}

void AddRegistration(const RegisteredWindow& window) {
  fs::path folder = RegistryFolder();
  std::string name = FileName(window.identity);
  fs::path temporary = folder / (name + ".new");
  {
    std::ofstream out(temporary, std::ios::trunc);
    out << kMagic << "\n"
        << "pid " << window.identity.pid << "\n"
        << "start " << window.identity.processStart << "\n"
        << "serial " << window.identity.serial << "\n"
        << "created " << window.createdAt << "\n"
        << "class " << Hex(window.className) << "\n"
        << "title " << Hex(window.title) << "\n";
    if (!out) return;
  }
  std::error_code ec;
  fs::rename(temporary, folder / name, ec);
  if (ec) fs::remove(temporary, ec);
}

void RemoveRegistration(const WindowIdentity& identity) {
  std::error_code ec;
  fs::remove(RegistryFolder() / FileName(identity), ec);
}

std::vector<RegisteredWindow> OtherProcessesWindows() {
  std::vector<RegisteredWindow> windows;
  uint32_t self = static_cast<uint32_t>(::getpid());
  std::error_code ec;
  fs::path folder = RegistryFolder();
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& file = it->path();
    if (file.extension() == ".new") continue;
    RegisteredWindow entry;
    if (!ReadEntry(file, &entry) || file.filename() != FileName(entry.identity)) continue;
    if (entry.identity.pid == self) continue;
    if (!ProcessAlive(entry.identity.pid, entry.identity.processStart)) {
      std::error_code ignored;
      fs::remove(file, ignored);
      continue;
    }
    windows.push_back(std::move(entry));
  }
  std::sort(windows.begin(), windows.end(), [](const RegisteredWindow& a, const RegisteredWindow& b) {
    if (a.createdAt != b.createdAt) return a.createdAt < b.createdAt;
    return a.identity < b.identity;
  });
  return windows;
}

bool FindRegistration(const WindowIdentity& identity, RegisteredWindow* out) {
  fs::path file = RegistryFolder() / FileName(identity);
  RegisteredWindow entry;
  if (!ReadEntry(file, &entry)) return false;
  if (!ProcessAlive(entry.identity.pid, entry.identity.processStart)) {
    std::error_code ignored;
    fs::remove(file, ignored);
    return false;
  }
  *out = std::move(entry);
  return true;
}

}  // namespace devwin
