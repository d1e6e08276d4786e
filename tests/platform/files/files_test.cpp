// The device file system over the device root: names without case, the root
// as a boundary, open modes and sharing, emulated attributes, searches,
// atomic replace, temporary names, mappings and injected write failures.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "platform/core/last_error.h"
#include "platform/files/files.h"
#include "platform/testing/files.h"

namespace fs = std::filesystem;

namespace {

HANDLE Open(const char16_t* path, DWORD access, DWORD disposition, DWORD share = 0, DWORD flags = 0) {
  return CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
}

bool WriteText(const char16_t* path, const std::string& text) {
  HANDLE h = Open(path, GENERIC_WRITE, CREATE_ALWAYS);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == text.size();
}

std::string ReadText(const char16_t* path) {
  HANDLE h = Open(path, GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[4096];
  DWORD read = 0;
  ReadFile(h, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(h);
  return std::string(buffer, read);
}

std::u16string Name(const WIN32_FIND_DATAW& data) { return std::u16string(data.cFileName); }

}  // namespace

TEST(DeviceFiles, NamesResolveWithoutCaseAndKeepTheirCreatedCase) {
  ASSERT_TRUE(CreateDirectoryW(u"\\eBooks", nullptr));
  ASSERT_TRUE(WriteText(u"\\eBooks\\book.corv", "hello"));
  EXPECT_EQ(ReadText(u"\\EBOOKS\\book.CORV"), "hello");
  EXPECT_TRUE(fs::exists(devtest::DeviceRootFolder() / "eBooks" / "book.corv"));
  EXPECT_FALSE(CreateDirectoryW(u"\\EBOOKS", nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
}

TEST(DeviceFiles, PathsNeverLeaveTheRoot) {
  fs::path outside = devtest::DeviceRootFolder().parent_path() / ("outside-" + std::to_string(::getpid()));
  fs::create_directories(outside);
  std::ofstream(outside / "secret.txt") << "x";
  fs::create_directory_symlink(outside, devtest::DeviceRootFolder() / "link");

  struct Case {
    const char16_t* path;
    DWORD error;
  } cases[] = {
      {u"\\..\\secret.txt", ERROR_INVALID_NAME},
      {u"\\eBooks\\..\\..\\secret.txt", ERROR_INVALID_NAME},
      {u"\\link\\secret.txt", ERROR_PATH_NOT_FOUND},
      {u"\\.tessalyn\\attributes", ERROR_PATH_NOT_FOUND},
      {u"\\a*b", ERROR_INVALID_NAME},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_EQ(Open(c.path, GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), c.error);
  }
  std::u16string longPath = u"\\" + std::u16string(300, u'a');
  EXPECT_EQ(Open(longPath.c_str(), GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILENAME_EXCED_RANGE);

  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(u"\\*", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    EXPECT_NE(Name(data), u"link");
    EXPECT_NE(Name(data), u".tessalyn");
  } while (FindNextFileW(search, &data));
  FindClose(search);
  std::ifstream in(outside / "secret.txt");
  std::string content;
  in >> content;
  EXPECT_EQ(content, "x");
  fs::remove_all(outside);
}

TEST(DeviceFiles, DispositionsAndSharing) {
  EXPECT_EQ(Open(u"\\a.txt", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  HANDLE h = Open(u"\\a.txt", GENERIC_WRITE, CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Open(u"\\A.TXT", GENERIC_WRITE, CREATE_NEW, FILE_SHARE_READ | FILE_SHARE_WRITE), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  // Opened without sharing: a second reader is refused until it closes.
  EXPECT_EQ(Open(u"\\a.txt", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  EXPECT_FALSE(DeleteFileW(u"\\a.txt"));
  CloseHandle(h);
  HANDLE r1 = Open(u"\\a.txt", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ);
  HANDLE r2 = Open(u"\\a.txt", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ);
  EXPECT_NE(r1, INVALID_HANDLE_VALUE);
  EXPECT_NE(r2, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Open(u"\\a.txt", GENERIC_WRITE, OPEN_EXISTING, FILE_SHARE_READ), INVALID_HANDLE_VALUE);
  CloseHandle(r1);
  CloseHandle(r2);
  EXPECT_FALSE(CloseHandle(r2));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(devtest::OpenFileHandleCount(), 0);
}

TEST(DeviceFiles, DeleteOnCloseAndReadOnly) {
  HANDLE h = Open(u"\\temp.bin", GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS, 0, FILE_FLAG_DELETE_ON_CLOSE);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_NE(GetFileAttributesW(u"\\temp.bin"), INVALID_FILE_ATTRIBUTES);
  CloseHandle(h);
  EXPECT_EQ(GetFileAttributesW(u"\\temp.bin"), INVALID_FILE_ATTRIBUTES);

  ASSERT_TRUE(WriteText(u"\\settings.qvr", "keep"));
  ASSERT_TRUE(SetFileAttributesW(u"\\settings.qvr", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetFileAttributesW(u"\\SETTINGS.qvr"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(Open(u"\\settings.qvr", GENERIC_WRITE, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(DeleteFileW(u"\\settings.qvr"));
  EXPECT_EQ(ReadText(u"\\settings.qvr"), "keep");
}

TEST(DeviceFiles, PointerEndOfFileAndSize) {
  HANDLE h = Open(u"\\f.bin", GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written;
  WriteFile(h, "abcdef", 6, &written, nullptr);
  EXPECT_EQ(SetFilePointer(h, 2, nullptr, FILE_BEGIN), 2u);
  EXPECT_TRUE(SetEndOfFile(h));
  EXPECT_EQ(GetFileSize(h, nullptr), 2u);
  EXPECT_EQ(SetFilePointer(h, 100, nullptr, FILE_BEGIN), 100u);
  EXPECT_TRUE(SetEndOfFile(h));
  EXPECT_EQ(GetFileSize(h, nullptr), 100u);
  EXPECT_EQ(SetFilePointer(h, -1000, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_CURRENT), 100u);
  CloseHandle(h);
}

TEST(DeviceFiles, SearchesMatchPatternsAndShowCards) {
  CreateDirectoryW(u"\\Docs", nullptr);
  WriteText(u"\\Docs\\One.TXT", "1");
  WriteText(u"\\Docs\\two.txt", "22");
  WriteText(u"\\Docs\\three.htm", "333");
  WIN32_FIND_DATAW data;
  std::set<std::u16string> names;
  HANDLE search = FindFirstFileW(u"\\docs\\*.txt", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do names.insert(Name(data));
  while (FindNextFileW(search, &data));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
  FindClose(search);
  EXPECT_EQ(names, (std::set<std::u16string>{u"One.TXT", u"two.txt"}));
  EXPECT_EQ(FindFirstFileW(u"\\docs\\*.pdf", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(devtest::OpenFindHandleCount(), 0);

  search = FindFirstFileW(u"\\*", &data);
  bool sawCard = false;
  do {
    if (Name(data) == u"Storage Card") {
      sawCard = true;
      EXPECT_EQ(data.dwFileAttributes & 0x110u, 0x110u);
    }
    if (Name(data) == u"Docs") {
      EXPECT_EQ(data.dwFileAttributes & 0x110u, 0x10u);
    }
  } while (FindNextFileW(search, &data));
  FindClose(search);
  EXPECT_TRUE(sawCard);
}

TEST(DeviceFiles, ReplaceKeepsAttributesAndCreationTime) {
  ASSERT_TRUE(WriteText(u"\\book.qvr", "old"));
  SetFileAttributesW(u"\\book.qvr", FILE_ATTRIBUTE_HIDDEN);
  HANDLE h = Open(u"\\book.qvr", GENERIC_WRITE, OPEN_EXISTING);
  FILETIME created{0x12345678, 0x01D00000};
  ASSERT_TRUE(SetFileTime(h, &created, nullptr, nullptr));
  CloseHandle(h);

  ASSERT_TRUE(WriteText(u"\\book.qvr.new", "new"));
  EXPECT_FALSE(MoveFileW(u"\\book.qvr.new", u"\\book.qvr"));
  ASSERT_TRUE(MoveFileExW(u"\\book.qvr.new", u"\\BOOK.QVR", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(ReadText(u"\\book.qvr"), "new");
  EXPECT_EQ(GetFileAttributesW(u"\\book.qvr.new"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(u"\\book.qvr"), FILE_ATTRIBUTE_HIDDEN);
  h = Open(u"\\book.qvr", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ);
  FILETIME c{}, w{};
  ASSERT_TRUE(GetFileTime(h, &c, nullptr, &w));
  CloseHandle(h);
  EXPECT_EQ(c.dwLowDateTime, created.dwLowDateTime);
  EXPECT_EQ(c.dwHighDateTime, created.dwHighDateTime);
}

TEST(DeviceFiles, TempNamesAreCreatedFiles) {
  WCHAR folder[MAX_PATH];
  ASSERT_EQ(GetTempPathW(MAX_PATH, folder), 6u);
  EXPECT_EQ(std::u16string(folder), u"\\Temp\\");
  WCHAR name[MAX_PATH];
  ASSERT_NE(GetTempFileNameW(folder, u"zvkx", 0, name), 0u);
  std::u16string text(name);
  EXPECT_EQ(text.rfind(u"\\Temp\\zvk", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 4), u".tmp");
  EXPECT_NE(GetFileAttributesW(name), INVALID_FILE_ATTRIBUTES);
  WCHAR second[MAX_PATH];
  ASSERT_NE(GetTempFileNameW(folder, u"zvk", 0, second), 0u);
  EXPECT_NE(std::u16string(second), text);
}

TEST(DeviceFiles, DiskSpaceIsPerVolumeAnd64Bit) {
  devtest::SetDiskSpace(u"\\Storage Card", 5ull << 32, 8ull << 32);
  devtest::SetDiskSpace(u"\\", 1000, 2000);
  ULARGE_INTEGER free{}, total{};
  ASSERT_TRUE(GetDiskFreeSpaceExW(u"\\storage card", &free, &total, nullptr));
  EXPECT_EQ(free.QuadPart, 5ull << 32);
  EXPECT_EQ(total.QuadPart, 8ull << 32);
  ASSERT_TRUE(GetDiskFreeSpaceExW(u"\\", &free, &total, nullptr));
  EXPECT_EQ(free.QuadPart, 1000u);
}

TEST(DeviceFiles, MappingReadsAndWritesThrough) {
  ASSERT_TRUE(WriteText(u"\\m.bin", "0123456789"));
  HANDLE f = CreateFileForMappingW(u"\\m.bin", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  HANDLE m = CreateFileMappingW(f, nullptr, PAGE_READWRITE, 0, 10, nullptr);
  ASSERT_NE(m, nullptr);
  char* view = static_cast<char*>(MapViewOfFile(m, FILE_MAP_WRITE, 0, 4, 6));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(std::string(view, 6), "456789");
  view[0] = 'X';
  EXPECT_EQ(devtest::MappedViewCount(), 1);
  EXPECT_TRUE(UnmapViewOfFile(view));
  EXPECT_EQ(MapViewOfFile(m, FILE_MAP_READ, 0, 8, 6), nullptr);
  CloseHandle(m);
  CloseHandle(f);
  EXPECT_EQ(ReadText(u"\\m.bin"), "0123X56789");

  ASSERT_TRUE(WriteText(u"\\empty.bin", ""));
  f = CreateFileForMappingW(u"\\empty.bin", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(CreateFileMappingW(f, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
  CloseHandle(f);
}

TEST(DeviceFiles, InjectedShortWriteFailsTheWrite) {
  HANDLE h = Open(u"\\w.bin", GENERIC_WRITE, CREATE_ALWAYS);
  devtest::FailNthWrite(2, 3);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(h, "abcdef", 6, &written, nullptr));
  EXPECT_FALSE(WriteFile(h, "ghijkl", 6, &written, nullptr));
  EXPECT_EQ(written, 3u);
  EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
  EXPECT_TRUE(WriteFile(h, "!", 1, &written, nullptr));
  CloseHandle(h);
  EXPECT_EQ(ReadText(u"\\w.bin"), "abcdefghi!");
}

TEST(DeviceFiles, ExitAtNthWriteEndsAChildMidWrite) {
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    HANDLE h = Open(u"\\crash.bin", GENERIC_WRITE, CREATE_ALWAYS);
    devtest::ExitAtNthWrite(2);
    DWORD written;
    WriteFile(h, "1234", 4, &written, nullptr);
    WriteFile(h, "5678", 4, &written, nullptr);
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 86);
  EXPECT_EQ(ReadText(u"\\crash.bin"), "123456");
}
