// FolderWalker and ListFolderTree: depth-first walks that report accepted
// files, skip hidden and named folders, stay inside the device (no host
// links, no over-long paths) and leave no search open.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "foundation/encoded_string/encoded_string_array.h"
#include "foundation/files/folder_walker.h"
#include "platform/files/files.h"
#include "platform/testing/files.h"

namespace fs = std::filesystem;

namespace {

void Put(const std::u16string& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << std::string(path.begin(), path.end());
  CloseHandle(h);
}

void Folder(const std::u16string& path) { ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)); }

EncodedString W(const std::u16string& text) {
  EncodedString s;
  s.FromWide(text.c_str(), static_cast<int32_t>(text.size()));
  return s;
}

std::u16string Text(const EncodedString& s) {
  return s.buffer ? std::u16string(reinterpret_cast<const char16_t*>(s.buffer), s.length / 2) : std::u16string();
}

void Fill(EncodedStringArray* list, std::initializer_list<const char16_t*> items) {
  for (const char16_t* item : items) list->At(list->Count()) = W(item);
}

// Runs a whole walk and answers the reported paths; checks that the path is
// the start folder again at the end.
std::set<std::u16string> Walk(const std::u16string& start, const EncodedStringArray* skip,
                              const EncodedStringArray* extensions, bool descend) {
  std::set<std::u16string> found;
  FolderWalker walker;
  EncodedString path = W(start);
  bool first = true;
  while (!walker.Next(&path, skip, extensions, descend, first)) {
    first = false;
    EXPECT_TRUE(found.insert(Text(path)).second) << "reported twice";
    EXPECT_GT(walker.Depth(), 0u);
  }
  std::u16string end = start;
  if (!end.empty() && end.back() == u'\\') end.pop_back();
  EXPECT_EQ(Text(path), end);
  EXPECT_EQ(walker.Depth(), 0u);
  EXPECT_EQ(devtest::OpenFindHandleCount(), 0);
  return found;
}

// \eBooks with three levels, a hidden folder and a skipped one.
void MakeTree() {
  Folder(u"\\eBooks");
  Put(u"\\eBooks\\a.corv");
  Put(u"\\eBooks\\notes.txt");
  Put(u"\\eBooks\\b.corv.bak");
  Folder(u"\\eBooks\\One");
  Put(u"\\eBooks\\One\\c.CORV");
  Folder(u"\\eBooks\\One\\Two");
  Put(u"\\eBooks\\One\\Two\\d.corv");
  Put(u"\\eBooks\\One\\Two\\e.htm");
  Folder(u"\\eBooks\\One\\Two\\Empty");
  Folder(u"\\eBooks\\Secret");
  Put(u"\\eBooks\\Secret\\f.corv");
  ASSERT_TRUE(SetFileAttributesW(u"\\eBooks\\Secret", FILE_ATTRIBUTE_HIDDEN));
  Folder(u"\\eBooks\\Skipped");
  Put(u"\\eBooks\\Skipped\\g.corv");
  Folder(u"\\eBooks\\Shelf.corv");  // a folder whose name looks like a book
  Put(u"\\eBooks\\Shelf.corv\\h.corv");
}

}  // namespace

TEST(FolderWalker, ReportsAcceptedFilesOfAThreeLevelTree) {
  MakeTree();
  EncodedStringArray skip, extensions;
  Fill(&skip, {u"skipped"});
  Fill(&extensions, {u"corv", u"HTM"});
  EXPECT_EQ(Walk(u"\\eBooks", &skip, &extensions, true),
            (std::set<std::u16string>{u"\\eBooks\\a.corv", u"\\eBooks\\One\\c.CORV", u"\\eBooks\\One\\Two\\d.corv",
                                      u"\\eBooks\\One\\Two\\e.htm", u"\\eBooks\\Shelf.corv\\h.corv"}));
}

TEST(FolderWalker, WithoutDescentReportsTheTopLevelOnly) {
  MakeTree();
  EncodedStringArray skip, extensions;
  Fill(&skip, {u"Skipped"});
  Fill(&extensions, {u"corv"});
  // A folder that is not entered is reported like a file when its
  // extension is accepted.
  EXPECT_EQ(Walk(u"\\eBooks\\", &skip, &extensions, false),
            (std::set<std::u16string>{u"\\eBooks\\a.corv", u"\\eBooks\\Shelf.corv"}));
}

TEST(FolderWalker, HiddenFoldersAreReportedButNotEntered) {
  Folder(u"\\Books");
  Folder(u"\\Books\\Old.corv");
  Put(u"\\Books\\Old.corv\\inner.corv");
  ASSERT_TRUE(SetFileAttributesW(u"\\Books\\Old.corv", FILE_ATTRIBUTE_HIDDEN));
  EncodedStringArray extensions;
  Fill(&extensions, {u"corv"});
  EXPECT_EQ(Walk(u"\\Books", nullptr, &extensions, true), (std::set<std::u16string>{u"\\Books\\Old.corv"}));
}

TEST(FolderWalker, WalksTheDeviceRootAndEmptyOrMissingFolders) {
  Put(u"\\top.corv");
  Folder(u"\\Empty");
  EncodedStringArray extensions;
  Fill(&extensions, {u"corv"});
  std::set<std::u16string> expected{u"\\top.corv"};
  EXPECT_EQ(Walk(u"", nullptr, &extensions, true), expected);
  EXPECT_EQ(Walk(u"\\", nullptr, &extensions, true), expected);
  EXPECT_TRUE(Walk(u"\\Empty", nullptr, &extensions, true).empty());
  EXPECT_TRUE(Walk(u"\\Missing", nullptr, &extensions, true).empty());
}

TEST(FolderWalker, NamesWithoutExtensionMatchAnEmptyEntry) {
  Folder(u"\\d");
  Put(u"\\d\\README");
  Put(u"\\d\\x.txt");
  EncodedStringArray extensions;
  Fill(&extensions, {u""});
  EXPECT_EQ(Walk(u"\\d", nullptr, &extensions, true), (std::set<std::u16string>{u"\\d\\README"}));
}

TEST(FolderWalker, HostLinksAreNotFollowed) {
  Folder(u"\\eBooks");
  Put(u"\\eBooks\\a.corv");
  // A link back to its own folder would make the walk endless.
  fs::create_directory_symlink(devtest::DeviceRootFolder() / "eBooks", devtest::DeviceRootFolder() / "eBooks" / "loop");
  fs::create_symlink(devtest::DeviceRootFolder() / "eBooks" / "a.corv",
                     devtest::DeviceRootFolder() / "eBooks" / "link.corv");
  EXPECT_EQ(Walk(u"\\eBooks", nullptr, nullptr, true), (std::set<std::u16string>{u"\\eBooks\\a.corv"}));
}

TEST(FolderWalker, EntriesWithPathsTooLongForTheDeviceAreSkipped) {
  // Folders made on the host, so the walk meets a path the device cannot
  // name: every entry whose full path reaches 260 characters is passed over.
  std::u16string device = u"\\deep";
  fs::path host = devtest::DeviceRootFolder() / "deep";
  fs::create_directories(host);
  while (device.size() < 240) {
    device += u"\\" + std::u16string(9, u'd');
    host /= std::string(9, 'd');
  }
  fs::create_directories(host);
  std::string shortName = std::string(258 - device.size() - 1 - 5, 's') + ".corv";   // 258 characters in all
  std::string justFits = std::string(259 - device.size() - 1 - 5, 'j') + ".corv";    // 259
  std::string tooLong = std::string(260 - device.size() - 1 - 5, 'l') + ".corv";     // 260
  std::string farTooLong = std::string(300 - device.size() - 1 - 5, 'f') + ".corv";
  for (const auto& name : {shortName, justFits, tooLong, farTooLong}) std::ofstream(host / name) << "x";
  fs::create_directories(host / std::string(30, 'x'));
  std::ofstream(host / std::string(30, 'x') / "inner.corv") << "x";

  std::set<std::u16string> found = Walk(u"\\deep", nullptr, nullptr, true);
  std::set<std::u16string> expected{device + u"\\" + std::u16string(shortName.begin(), shortName.end()),
                                    device + u"\\" + std::u16string(justFits.begin(), justFits.end())};
  EXPECT_EQ(found, expected);
  for (const auto& path : found) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
}

TEST(FolderWalker, AWalkGivenUpHalfWayClosesItsSearches) {
  MakeTree();
  EncodedStringArray extensions;
  Fill(&extensions, {u"corv"});
  EncodedString path = W(u"\\eBooks");
  {
    FolderWalker walker;
    bool first = true;
    while (walker.Depth() < 3) {
      ASSERT_FALSE(walker.Next(&path, nullptr, &extensions, true, first));
      first = false;
    }
    EXPECT_EQ(devtest::OpenFindHandleCount(), 3);
    walker.CloseAll();
    EXPECT_EQ(devtest::OpenFindHandleCount(), 0);
    // A new first call starts over.
    path = W(u"\\eBooks\\One");
    ASSERT_FALSE(walker.Next(&path, nullptr, &extensions, true, true));
    EXPECT_EQ(devtest::OpenFindHandleCount(), 1);
  }
  EXPECT_EQ(devtest::OpenFindHandleCount(), 0);
}

TEST(FolderWalker, ListFolderTreeCollectsEveryReportedPath) {
  MakeTree();
  EncodedStringArray skip, extensions, found;
  Fill(&skip, {u"Skipped"});
  Fill(&extensions, {u"corv"});
  EXPECT_TRUE(ListFolderTree(&skip, W(u"\\eBooks\\One"), &extensions, &found));
  EXPECT_EQ(skip.Count(), 3u);  // "." and ".." added
  std::set<std::u16string> paths;
  for (uint32_t i = 0; i < found.Count(); ++i) paths.insert(Text(found.At(i)));
  EXPECT_EQ(paths, (std::set<std::u16string>{u"\\eBooks\\One\\c.CORV", u"\\eBooks\\One\\Two\\d.corv"}));

  EncodedStringArray all;
  EncodedString narrow;
  narrow.AssignNarrow("\\EBOOKS\\ONE\\TWO", 1252);
  EXPECT_TRUE(ListFolderTree(&skip, narrow, nullptr, &all));
  EXPECT_EQ(all.Count(), 2u);  // d.corv and e.htm; the empty folder is entered, not listed
  EXPECT_EQ(devtest::OpenFindHandleCount(), 0);
}
