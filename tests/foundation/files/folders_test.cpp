// Folder and path helpers: names without case, existence, sizes, rooted
// paths, moving into folders, deleting by pattern and the books folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/files/file_stream.h"
#include "foundation/files/folders.h"
#include "platform/files/files.h"
#include "platform/testing/files.h"

namespace {

void Put(const char16_t* path, const std::string& bytes) {
  HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

EncodedString W(const std::u16string& text) {
  EncodedString s;
  s.FromWide(text.c_str(), static_cast<int32_t>(text.size()));
  return s;
}

std::u16string Text(const EncodedString& s) {
  return s.buffer ? std::u16string(reinterpret_cast<const char16_t*>(s.buffer), s.length / 2) : std::u16string();
}

bool Exists(const char16_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TEST(Folders, PathsResolveWithoutCase) {
  ASSERT_TRUE(CreateFolder(W(u"\\eBooks")));
  Put(u"\\eBooks\\book.corv", "corv");
  FileStream stream;
  ASSERT_TRUE(stream.Open(W(u"\\EBOOKS\\book.CORV"), 41, 128));
  char buffer[4];
  EXPECT_EQ(stream.Read(buffer, 4), 4u);
  EXPECT_EQ(std::string(buffer, 4), "corv");
  EXPECT_TRUE(PathExists(W(u"\\ebooks\\BOOK.corv")));
  EXPECT_FALSE(CreateFolder(W(u"\\EBOOKS")));
}

TEST(Folders, PathExistsForRootsFilesAndFolders) {
  ASSERT_TRUE(CreateFolder(W(u"\\Docs")));
  Put(u"\\Docs\\a.txt", "a");
  struct Case {
    const char16_t* path;
    bool exists;
  } cases[] = {
      {u"C:", true},          {u"z:", true},           {u"\\", true},
      {u"\\Docs", true},      {u"\\Docs\\", true},     {u"\\docs\\A.TXT", true},
      {u"\\Docs\\b.txt", false}, {u"\\Nothing\\", false}, {u"", false},
      {u"1:", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.path, c.path + std::char_traits<char16_t>::length(c.path)));
    EXPECT_EQ(PathExists(W(c.path)), c.exists);
  }
  EXPECT_EQ(devtest::OpenFindHandleCount(), 0);
}

TEST(Folders, FileSizeByName) {
  Put(u"\\f.bin", std::string(1234, 'x'));
  uint32_t size = 0;
  EXPECT_TRUE(GetFileSizeByName(W(u"\\F.BIN"), &size));
  EXPECT_EQ(size, 1234u);
  EXPECT_FALSE(GetFileSizeByName(W(u"\\g.bin"), &size));
  EXPECT_EQ(devtest::OpenFindHandleCount(), 0);
}

TEST(Folders, RootedPaths) {
  EXPECT_TRUE(IsRootedPath(W(u"\\a")));
  EXPECT_FALSE(IsRootedPath(W(u"\\")));
  EXPECT_FALSE(IsRootedPath(W(u"a\\b")));
  EXPECT_FALSE(IsRootedPath(W(u"")));
  EncodedString narrow;
  narrow.AssignNarrow("\\eBooks", 1252);
  EXPECT_TRUE(IsRootedPath(narrow));
}

TEST(Folders, MoveFileIntoAFolder) {
  ASSERT_TRUE(CreateFolder(W(u"\\a")));
  ASSERT_TRUE(CreateFolder(W(u"\\b")));
  Put(u"\\a\\side.qvr", "new");
  Put(u"\\b\\side.qvr", "old");
  EncodedString target;
  EXPECT_FALSE(MoveFileInto(W(u"\\a\\side.qvr"), W(u"\\b"), &target, false));
  EXPECT_EQ(Text(target), u"\\b\\side.qvr");
  EXPECT_TRUE(Exists(u"\\a\\side.qvr"));
  EXPECT_TRUE(MoveFileInto(W(u"\\a\\side.qvr"), W(u"\\b"), &target, true));
  EXPECT_FALSE(Exists(u"\\a\\side.qvr"));
  FileStream stream;
  ASSERT_TRUE(stream.Open(target, 41, 128));
  char buffer[3];
  EXPECT_EQ(stream.Read(buffer, 3), 3u);
  EXPECT_EQ(std::string(buffer, 3), "new");
  stream.Close();
  // Already there: nothing to do, and the file is not deleted by "replace".
  EXPECT_TRUE(MoveFileInto(W(u"\\B\\SIDE.QVR"), W(u"\\b"), &target, true));
  EXPECT_TRUE(Exists(u"\\b\\side.qvr"));
}

TEST(Folders, DeleteFilesMatchingSparesFoldersAndOtherNames) {
  ASSERT_TRUE(CreateFolder(W(u"\\Data")));
  Put(u"\\Data\\CorvellineAutogen1.qvg", "1");
  Put(u"\\Data\\corvellineautogen2.QVG", "2");
  Put(u"\\Data\\keep.qvg", "3");
  ASSERT_TRUE(CreateFolder(W(u"\\Data\\CorvellineAutogenDir.qvg")));
  DeleteMatchingFiles(W(u"\\Data"), W(u"CorvellineAutogen*.qvg"));
  EXPECT_FALSE(Exists(u"\\Data\\CorvellineAutogen1.qvg"));
  EXPECT_FALSE(Exists(u"\\Data\\corvellineautogen2.QVG"));
  EXPECT_TRUE(Exists(u"\\Data\\keep.qvg"));
  EXPECT_TRUE(Exists(u"\\Data\\CorvellineAutogenDir.qvg"));
  EXPECT_EQ(devtest::OpenFindHandleCount(), 0);

  Put(u"\\Data\\x.qvg", "x");
  DeleteFilesMatching(u"\\Data\\", u"*.qvg");
  EXPECT_FALSE(Exists(u"\\Data\\x.qvg"));
}

TEST(Folders, BooksFoldersAreMadeParentFirst) {
  struct Case {
    bool (*ensure)(EncodedString*);
    const char16_t* path;
  } cases[] = {
      {EnsureBooksFolder, u"\\eBooks"},
      {EnsureCoversFolder, u"\\eBooks\\Covers"},
      {EnsureBookshelfFolder, u"\\eBooks\\Covers\\Bookshelf"},
      {EnsureFeedsFolder, u"\\eBooks\\Feeds"},
      {EnsureFeedsTempFolder, u"\\eBooks\\Feeds\\Temp"},
      {EnsureNewsFolder, u"\\eBooks\\News"},
  };
  for (const auto& c : cases) {
    devtest::UseFreshDeviceRoot();
    EncodedString path;
    EXPECT_TRUE(c.ensure(&path));
    EXPECT_EQ(Text(path), c.path);
    EXPECT_TRUE(GetFileAttributesW(c.path) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(c.ensure(&path));  // a second time finds it
  }
  // A folder of another case counts as the books folder.
  devtest::UseFreshDeviceRoot();
  ASSERT_TRUE(CreateFolder(W(u"\\EBOOKS")));
  EncodedString path;
  EXPECT_TRUE(EnsureCoversFolder(&path));
  EXPECT_TRUE(std::filesystem::is_directory(devtest::DeviceRootFolder() / "EBOOKS" / "Covers"));
}
