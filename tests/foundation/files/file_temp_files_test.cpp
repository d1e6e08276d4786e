// Temporary file names: made in the temporary folder with the prefix "zvk",
// given another extension on request, refused without a trace when the
// caller's buffer is too small, and cleared by DeleteTempFiles.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "foundation/files/temp_files.h"
#include "platform/files/files.h"
#include "platform/testing/files.h"

namespace {

std::set<std::u16string> TempFolder() {
  std::set<std::u16string> names;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(u"\\Temp\\*", &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.insert(data.cFileName);
  while (FindNextFileW(search, &data));
  FindClose(search);
  return names;
}

void Put(const char16_t* path) {
  HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
}

}  // namespace

TEST(TempFiles, NamesAreNewFilesOfTheTemporaryFolder) {
  WCHAR first[MAX_PATH], second[MAX_PATH];
  uint32_t units = MAX_PATH;
  ASSERT_TRUE(MakeTempFileName(first, &units, nullptr));
  ASSERT_TRUE(MakeTempFileName(second, &units, nullptr));
  std::u16string a(first), b(second);
  EXPECT_NE(a, b);
  EXPECT_EQ(a.rfind(u"\\Temp\\zvk", 0), 0u);
  EXPECT_EQ(a.substr(a.size() - 4), u".tmp");
  EXPECT_NE(GetFileAttributesW(first), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(TempFolder().size(), 2u);
}

TEST(TempFiles, AnExtensionRenamesTheNameButTheTmpFileStays) {
  WCHAR name[MAX_PATH];
  uint32_t units = MAX_PATH;
  ASSERT_TRUE(MakeTempFileName(name, &units, u"pdb"));
  std::u16string made(name);
  EXPECT_EQ(made.substr(made.size() - 4), u".pdb");
  EXPECT_EQ(GetFileAttributesW(name), INVALID_FILE_ATTRIBUTES);
  std::u16string tmp = made.substr(made.rfind(u'\\') + 1);
  tmp = tmp.substr(0, tmp.size() - 3) + u"tmp";
  EXPECT_EQ(TempFolder(), std::set<std::u16string>{tmp});
}

TEST(TempFiles, TooSmallBufferLeavesNoFileAndTellsTheSizeNeeded) {
  WCHAR name[MAX_PATH];
  uint32_t probe = MAX_PATH;
  ASSERT_TRUE(MakeTempFileName(name, &probe, nullptr));
  uint32_t length = static_cast<uint32_t>(std::u16string(name).size());
  DeleteFileW(name);

  struct Case {
    uint32_t units;
    const char16_t* extension;
    uint32_t extraUnits;
  } cases[] = {{0, nullptr, 0}, {5, nullptr, 0}, {length - 1, nullptr, 0}, {length + 1, u"longer", 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.units);
    WCHAR small[MAX_PATH];
    uint32_t units = c.units;
    EXPECT_FALSE(MakeTempFileName(small, &units, c.extension));
    // The platform's hexadecimal number may gain a digit between two names.
    EXPECT_NEAR(units, length + c.extraUnits + 9, 1);
    EXPECT_TRUE(TempFolder().empty());
  }
  uint32_t units = 3;
  EXPECT_FALSE(MakeTempFileName(nullptr, &units, nullptr));
  EXPECT_TRUE(TempFolder().empty());
}

TEST(TempFiles, DeleteTempFilesClearsOnlyTheSystemsNames) {
  WCHAR name[MAX_PATH];
  uint32_t units = MAX_PATH;
  ASSERT_TRUE(MakeTempFileName(name, &units, nullptr));
  ASSERT_TRUE(MakeTempFileName(name, &units, u"corv"));
  Put(u"\\Temp\\qrv12.tmp");
  Put(u"\\Temp\\zvk.txt");
  Put(u"\\Temp\\ZVK99.TMP");
  DeleteTempFiles();
  EXPECT_EQ(TempFolder(), (std::set<std::u16string>{u"qrv12.tmp", u"zvk.txt"}));
  EXPECT_EQ(devtest::OpenFindHandleCount(), 0);
}
