// Shared by the tests of entries planted in the device root: a host folder
// outside the root whose content must never change, and small wrappers over
// the device's file calls.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "platform/files/files.h"
#include "platform/testing/files.h"

namespace hostile {

inline HANDLE Open(const std::u16string& path, DWORD access, DWORD disposition, DWORD share = 0) {
  return CreateFileW(path.c_str(), access, share, nullptr, disposition, 0, nullptr);
}

inline bool WriteText(const std::u16string& path, const std::string& text, DWORD disposition = CREATE_ALWAYS) {
  HANDLE h = Open(path, GENERIC_WRITE, disposition);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == text.size();
}

inline std::string ReadText(const std::u16string& path) {
  HANDLE h = Open(path, GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[4096];
  DWORD read = 0;
  ReadFile(h, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(h);
  return std::string(buffer, read);
}

inline std::string HostText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void PutHostText(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

// Every name the device can list in a folder (pattern "<folder>\*").
inline std::vector<std::u16string> Listed(const std::u16string& folder) {
  std::vector<std::u16string> names;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW((folder + u"\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.emplace_back(data.cFileName);
  while (FindNextFileW(search, &data));
  FindClose(search);
  return names;
}

// A folder beside the device root holding "target.txt" and "folder/",
// standing for the user's own files; Snapshot() tells whether anything in
// it changed.
class OutsideFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = devtest::DeviceRootFolder();
    outside_ = root_.parent_path() / (root_.filename().string() + "-outside");
    std::filesystem::create_directories(outside_ / "folder");
    PutHostText(outside_ / "target.txt", "outside");
    PutHostText(outside_ / "folder" / "target.txt", "outside too");
    before_ = Snapshot();
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(outside_, ec);
  }

  // Path and content (or "<folder>") of everything in the outside folder.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> all;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(outside_)) {
      std::string key = std::filesystem::relative(entry.path(), outside_).string();
      all[key] = entry.is_directory() ? "<folder>" : HostText(entry.path());
    }
    return all;
  }
  bool OutsideUnchanged() const { return Snapshot() == before_; }

  std::filesystem::path root_, outside_;
  std::map<std::string, std::string> before_;
};

}  // namespace hostile
