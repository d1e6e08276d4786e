// The device's error codes where the host's differ, temporary names past
// taken numbers, card names checked like any name, and letter case.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "files_hostile_fixture.h"
#include "platform/core/last_error.h"
#include "platform/files/device_root.h"

namespace fs = std::filesystem;
using namespace hostile;

namespace {

TEST(FileErrorCodes, CreateDirectoryAnswersTheDeviceCodes) {
  ASSERT_TRUE(WriteText(u"\\file.txt", "x"));
  ASSERT_TRUE(CreateDirectoryW(u"\\Folder", nullptr));
  fs::create_symlink("/", devtest::DeviceRootFolder() / "link");
  // Within MAX_PATH for the device, but beyond the host's name length once
  // encoded (two bytes per letter).
  std::u16string tooLong = u"\\" + std::u16string(200, u'\u00E9');
  struct Case {
    std::u16string path;
    DWORD error;
  } cases[] = {
      {u"\\Missing\\New", ERROR_PATH_NOT_FOUND},
      {u"\\file.txt\\New", ERROR_PATH_NOT_FOUND},
      {u"\\Folder", ERROR_ALREADY_EXISTS},
      {u"\\FILE.TXT", ERROR_ALREADY_EXISTS},
      {u"\\link", ERROR_ALREADY_EXISTS},
      {tooLong, ERROR_FILENAME_EXCED_RANGE},
      {u"\\" + std::u16string(300, u'a'), ERROR_FILENAME_EXCED_RANGE},
      {u"\\a?b", ERROR_INVALID_NAME},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.size());
    SetLastError(0);
    EXPECT_FALSE(CreateDirectoryW(c.path.c_str(), nullptr));
    EXPECT_EQ(GetLastError(), c.error);
  }
  EXPECT_EQ(Open(tooLong, GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILENAME_EXCED_RANGE);
}

TEST(FileErrorCodes, CreateNewOnAnyTakenNameAnswersFileExists) {
  ASSERT_TRUE(WriteText(u"\\file.txt", "x"));
  ASSERT_TRUE(CreateDirectoryW(u"\\Folder", nullptr));
  fs::path root = devtest::DeviceRootFolder();
  fs::create_symlink(root / "file.txt", root / "link");
  ASSERT_EQ(::mkfifo((root / "pipe").c_str(), 0644), 0);
  for (const char16_t* path : {u"\\file.txt", u"\\Folder", u"\\link", u"\\pipe", u"\\"}) {
    SCOPED_TRACE(std::u16string(path).size());
    SetLastError(0);
    EXPECT_EQ(Open(path, GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  }
}

std::u16string TempName(unsigned number) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "%X", number);
  std::u16string name = u"zvk";
  for (char* h = hex; *h; ++h) name += static_cast<char16_t>(*h);
  return name + u".tmp";
}

unsigned After(unsigned number, unsigned steps) {
  while (steps--) {
    number = (number + 1) & 0xFFFF;
    if (number == 0) number = 1;
  }
  return number;
}

TEST(FileErrorCodes, TempFileNamesGoPastNumbersTakenByAnything) {
  WCHAR folder[MAX_PATH], name[MAX_PATH];
  ASSERT_EQ(GetTempPathW(MAX_PATH, folder), 6u);
  UINT first = GetTempFileNameW(folder, u"zvk", 0, name);
  ASSERT_NE(first, 0u);
  // The next three numbers are taken by a folder, a link and a FIFO.
  fs::path temp = devtest::DeviceRootFolder() / "Temp";
  auto host = [&](unsigned n) { return temp / devicefs::ToUtf8(TempName(n)); };
  fs::create_directory(host(After(first, 1)));
  fs::create_symlink("/nowhere", host(After(first, 2)));
  ASSERT_EQ(::mkfifo(host(After(first, 3)).c_str(), 0644), 0);
  UINT next = GetTempFileNameW(folder, u"zvk", 0, name);
  EXPECT_EQ(next, After(first, 4));
  EXPECT_EQ(std::u16string(name), u"\\Temp\\" + TempName(After(first, 4)));
  EXPECT_TRUE(fs::is_regular_file(host(After(first, 4))));
}

TEST(CardNames, OnlyPlainFolderNamesAreCards) {
  struct Case {
    std::string list;
    std::vector<std::u16string> cards;
  } cases[] = {
      {"Storage Card", {u"Storage Card"}},
      {"Storage Card;SD2", {u"Storage Card", u"SD2"}},
      {";SD2;;", {u"SD2"}},
      {"..;.;../Escape;a/b;a\\b;SD", {u"SD"}},
      {"Card.;Card ;...;.tessalyn;.TESSALYN", {}},
      {"C:;a*b;a?b;a|b;a\"b;a<b;a>b;tab\there", {}},
      {"Carte m\xC3\xA9moire;raw\xE9", {u"Carte m\u00E9moire", u"raw\xDCE9"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list);
    EXPECT_EQ(devicefs::CardNamesFromList(c.list), c.cards);
  }
}

TEST(CardNames, ABadCardNameMakesNoFolderAnywhere) {
  fs::path parent = devtest::DeviceRootFolder().parent_path();
  std::string escape = "escape-" + std::to_string(::getpid());
  devtest::UseFreshDeviceRoot({u"../" + std::u16string(escape.begin(), escape.end()), u"..\\x", u"SD"});
  EXPECT_EQ(devicefs::StorageCardNames(), std::vector<std::u16string>{u"SD"});
  EXPECT_FALSE(fs::exists(devtest::DeviceRootFolder().parent_path() / escape));
  EXPECT_FALSE(fs::exists(parent / escape));
  EXPECT_EQ(Listed(u""), std::vector<std::u16string>{u"SD"});
}

TEST(LetterCase, CapitalYWithDiaeresisMatchesItsSmallLetter) {
  ASSERT_TRUE(WriteText(u"\\\u00FFes.txt", "small"));
  EXPECT_EQ(ReadText(u"\\\u0178ES.TXT"), "small");
  EXPECT_TRUE(devicefs::NamesEqual(u"\u0178", u"\u00FF"));
  EXPECT_FALSE(devicefs::NamesEqual(u"\u0178", u"\u0179"));
}

}  // namespace
