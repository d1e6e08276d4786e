// Symbolic and hard links planted in the device root: no file call ever
// reaches through one to a file outside the root, a link is invisible to the
// device, and deleting or replacing its name acts on the link itself.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "files_hostile_fixture.h"
#include "platform/core/last_error.h"
#include "platform/files/attribute_store.h"
#include "platform/files/device_root.h"

namespace fs = std::filesystem;
using namespace hostile;

namespace {

class PlantedLinks : public OutsideFolderTest {
 protected:
  void SetUp() override {
    OutsideFolderTest::SetUp();
    ASSERT_TRUE(CreateDirectoryW(u"\\Docs", nullptr));
    ASSERT_TRUE(WriteText(u"\\source.txt", "device"));
  }
};

TEST_F(PlantedLinks, NoCallReachesThroughALinkAtAnyComponent) {
  struct Case {
    const char* where;
    fs::path link;        // relative to the root
    fs::path pointsTo;    // relative to the outside folder
    std::u16string path;  // the device path that meets the link
  } cases[] = {
      {"last component, to a file", "Docs/book.txt", "target.txt", u"\\Docs\\book.txt"},
      {"last component, dangling", "Docs/new.txt", "absent.txt", u"\\Docs\\new.txt"},
      {"last component, to a folder", "Docs/Shelf", "folder", u"\\Docs\\Shelf"},
      {"first component", "Books", "folder", u"\\Books\\target.txt"},
      {"middle component", "Docs/Deep", "folder", u"\\Docs\\Deep\\target.txt"},
      {"inside a card", "Storage Card/book.txt", "target.txt", u"\\Storage Card\\book.txt"},
  };
  struct Operation {
    const char* name;
    std::function<void(const std::u16string&)> run;
  } operations[] = {
      {"open for reading", [](const std::u16string& p) { CloseHandle(Open(p, GENERIC_READ, OPEN_EXISTING)); }},
      {"open always and write", [](const std::u16string& p) { WriteText(p, "written", OPEN_ALWAYS); }},
      {"truncate", [](const std::u16string& p) { CloseHandle(Open(p, GENERIC_WRITE, TRUNCATE_EXISTING)); }},
      {"create new", [](const std::u16string& p) { WriteText(p, "written", CREATE_NEW); }},
      {"create always and write", [](const std::u16string& p) { WriteText(p, "written", CREATE_ALWAYS); }},
      {"copy onto", [](const std::u16string& p) { CopyFileW(u"\\source.txt", p.c_str(), FALSE); }},
      {"move onto", [](const std::u16string& p) {
         WriteText(u"\\moved.txt", "moved");
         MoveFileExW(u"\\moved.txt", p.c_str(), MOVEFILE_REPLACE_EXISTING);
       }},
      {"set attributes", [](const std::u16string& p) { SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_READONLY); }},
      {"make a folder beneath", [](const std::u16string& p) { CreateDirectoryW((p + u"\\made").c_str(), nullptr); }},
      {"make a file beneath", [](const std::u16string& p) { WriteText(p + u"\\made.txt", "made"); }},
      {"delete beneath", [](const std::u16string& p) { DeleteFileW((p + u"\\target.txt").c_str()); }},
      {"remove as a folder", [](const std::u16string& p) { RemoveDirectoryW(p.c_str()); }},
      {"delete", [](const std::u16string& p) { DeleteFileW(p.c_str()); }},
      {"temporary name beneath", [](const std::u16string& p) {
         WCHAR name[MAX_PATH];
         GetTempFileNameW((p + u"\\").c_str(), u"zvk", 0, name);
       }},
  };
  for (const auto& c : cases) {
    for (const auto& op : operations) {
      SCOPED_TRACE(std::string(c.where) + ": " + op.name);
      std::error_code ec;
      fs::remove_all(root_ / c.link, ec);
      fs::create_symlink(outside_ / c.pointsTo, root_ / c.link);
      op.run(c.path);
      EXPECT_TRUE(OutsideUnchanged());
      EXPECT_EQ(Snapshot().count("absent.txt"), 0u);
      fs::remove_all(root_ / c.link, ec);
    }
  }
}

TEST_F(PlantedLinks, ALinkIsNotListedAndCannotBeOpened) {
  fs::create_symlink(outside_ / "target.txt", root_ / "Docs" / "book.txt");
  fs::create_symlink(outside_ / "folder", root_ / "Docs" / "Shelf");
  WriteText(u"\\Docs\\plain.txt", "plain");
  EXPECT_EQ(Listed(u"\\Docs"), std::vector<std::u16string>{u"plain.txt"});

  EXPECT_EQ(GetFileAttributesW(u"\\Docs\\book.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  struct Case {
    DWORD access, disposition, error;
  } cases[] = {
      {GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
      {GENERIC_WRITE, TRUNCATE_EXISTING, ERROR_FILE_NOT_FOUND},
      // The name is taken: nothing new can be made there without replacing.
      {GENERIC_WRITE, CREATE_NEW, ERROR_FILE_EXISTS},
      {GENERIC_READ, OPEN_ALWAYS, ERROR_ACCESS_DENIED},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.disposition);
    EXPECT_EQ(Open(u"\\Docs\\book.txt", c.access, c.disposition), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), c.error);
  }
  EXPECT_FALSE(CopyFileW(u"\\source.txt", u"\\Docs\\book.txt", TRUE));
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  EXPECT_FALSE(MoveFileW(u"\\source.txt", u"\\Docs\\book.txt"));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_FALSE(CreateDirectoryW(u"\\Docs\\book.txt", nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(ReadText(u"\\Docs\\Shelf\\target.txt"), "<missing>");
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_TRUE(fs::is_symlink(root_ / "Docs" / "book.txt"));
  EXPECT_TRUE(OutsideUnchanged());
}

TEST_F(PlantedLinks, ReplacingOrDeletingALinkActsOnTheLinkItself) {
  using Replace = std::function<bool(const std::u16string&)>;
  struct Case {
    const char* name;
    Replace replace;
    std::string content;  // what the name then holds
  } cases[] = {
      {"create always", [](const std::u16string& p) { return WriteText(p, "created"); }, "created"},
      {"copy", [](const std::u16string& p) { return CopyFileW(u"\\source.txt", p.c_str(), FALSE) != FALSE; },
       "device"},
      {"move with replace",
       [](const std::u16string& p) {
         return WriteText(u"\\moved.txt", "moved") &&
                MoveFileExW(u"\\moved.txt", p.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
       },
       "moved"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::path link = root_ / "Docs" / "book.txt";
    fs::create_symlink(outside_ / "target.txt", link);
    ASSERT_TRUE(c.replace(u"\\Docs\\book.txt"));
    EXPECT_FALSE(fs::is_symlink(link));
    EXPECT_EQ(HostText(link), c.content);
    EXPECT_EQ(ReadText(u"\\Docs\\book.txt"), c.content);
    EXPECT_TRUE(OutsideUnchanged());
    ASSERT_TRUE(DeleteFileW(u"\\Docs\\book.txt"));
  }
  // Deleting removes a link, a dangling one too, and leaves its target.
  fs::create_symlink(outside_ / "target.txt", root_ / "Docs" / "a.txt");
  fs::create_symlink(outside_ / "absent.txt", root_ / "Docs" / "b.txt");
  fs::create_directory_symlink(outside_ / "folder", root_ / "Docs" / "Shelf");
  for (const char16_t* name : {u"\\Docs\\a.txt", u"\\Docs\\b.txt", u"\\Docs\\Shelf"}) {
    EXPECT_TRUE(DeleteFileW(name));
    EXPECT_FALSE(DeleteFileW(name));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  }
  EXPECT_TRUE(fs::is_empty(root_ / "Docs"));
  EXPECT_TRUE(OutsideUnchanged());
}

TEST_F(PlantedLinks, AVisibleFileWinsOverALinkSpelledTheSameWithoutCase) {
  fs::create_symlink(outside_ / "target.txt", root_ / "Docs" / "book.txt");
  PutHostText(root_ / "Docs" / "BOOK.TXT", "inside");
  EXPECT_EQ(ReadText(u"\\Docs\\book.txt"), "inside");
  EXPECT_TRUE(WriteText(u"\\Docs\\book.txt", "rewritten"));
  EXPECT_EQ(HostText(root_ / "Docs" / "BOOK.TXT"), "rewritten");
  EXPECT_TRUE(OutsideUnchanged());
}

// A save writes "<name>.new", then renames it over the file.
bool Save(const std::u16string& path, const std::string& text) {
  std::u16string fresh = path + u".new";
  HANDLE h = Open(fresh, GENERIC_WRITE, CREATE_ALWAYS);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
  ok = FlushFileBuffers(h) && ok;
  CloseHandle(h);
  return ok && MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

TEST_F(PlantedLinks, ALinkNamedLikeASavesNewFileIsReplacedAndLaterSavesWork) {
  ASSERT_TRUE(WriteText(u"\\settings.qvr", "old settings"));
  fs::create_symlink(outside_ / "target.txt", root_ / "settings.qvr.new");
  ASSERT_TRUE(Save(u"\\settings.qvr", "first save"));
  EXPECT_EQ(ReadText(u"\\settings.qvr"), "first save");
  EXPECT_FALSE(fs::is_symlink(root_ / "settings.qvr"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(root_ / "settings.qvr.new")));
  ASSERT_TRUE(Save(u"\\settings.qvr", "second save"));
  EXPECT_EQ(ReadText(u"\\settings.qvr"), "second save");
  EXPECT_TRUE(OutsideUnchanged());
}

TEST_F(PlantedLinks, TheAttributeStoreStaysInsideTheRoot) {
  // A link in place of the platform's own folder, or of either of the
  // store's files inside it.
  struct Case {
    const char* where;
    fs::path link;
    fs::path pointsTo;
  } cases[] = {
      {"the state folder", ".tessalyn", "folder"},
      {"the store", ".tessalyn/attributes", "target.txt"},
      {"the store's new file", ".tessalyn/attributes.new", "folder/target.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    std::error_code ec;
    fs::remove_all(root_ / ".tessalyn", ec);
    devicefs::ResetAttributeStore();
    if (c.link.has_parent_path()) fs::create_directory(root_ / ".tessalyn");
    fs::create_symlink(outside_ / c.pointsTo, root_ / c.link);
    ASSERT_TRUE(SetFileAttributesW(u"\\source.txt", FILE_ATTRIBUTE_HIDDEN));
    devicefs::ResetAttributeStore();
    EXPECT_EQ(GetFileAttributesW(u"\\source.txt"), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(OutsideUnchanged());
    EXPECT_FALSE(fs::is_symlink(root_ / ".tessalyn"));
    EXPECT_TRUE(fs::is_directory(root_ / ".tessalyn"));
    ASSERT_TRUE(SetFileAttributesW(u"\\source.txt", 0));
  }
}

TEST_F(PlantedLinks, AResolvedPathKeepsToTheFolderItFound) {
  // A folder swapped for a link between resolving a path and using it:
  // the operation still lands in the folder that was resolved.
  devicefs::Resolved r;
  ASSERT_TRUE(devicefs::Resolve(u"\\Docs\\late.txt", &r));
  fs::rename(root_ / "Docs", root_ / "Moved");
  fs::create_directory_symlink(outside_ / "folder", root_ / "Docs");
  bool created = false;
  devicefs::HostFd fd =
      devicefs::OpenRegularFile(r.folder->Get(), r.leaf, true, devicefs::OpenIntent::kCreateNew, &created);
  ASSERT_TRUE(fd.Valid());
  EXPECT_TRUE(created);
  EXPECT_TRUE(fs::is_regular_file(root_ / "Moved" / "late.txt"));
  EXPECT_TRUE(OutsideUnchanged());
}

class HardLinks : public OutsideFolderTest {};

TEST_F(HardLinks, AFileWithAnotherNameIsNeverWrittenInPlace) {
  ASSERT_TRUE(WriteText(u"\\source.txt", "device"));
  fs::path inside = root_ / "book.txt";
  // One name outside the root, one inside; and two names inside.
  fs::create_hard_link(outside_ / "target.txt", inside);
  PutHostText(root_ / "twin-a.txt", "twin");
  fs::create_hard_link(root_ / "twin-a.txt", root_ / "twin-b.txt");
  struct Case {
    const char* name;
    std::function<bool(const std::u16string&)> write;
  } cases[] = {
      {"open for writing", [](const std::u16string& p) { return WriteText(p, "x", OPEN_EXISTING); }},
      {"open always", [](const std::u16string& p) { return WriteText(p, "x", OPEN_ALWAYS); }},
      {"create always", [](const std::u16string& p) { return WriteText(p, "x", CREATE_ALWAYS); }},
      {"truncate", [](const std::u16string& p) {
         HANDLE h = Open(p, GENERIC_WRITE, TRUNCATE_EXISTING);
         return h != INVALID_HANDLE_VALUE && CloseHandle(h);
       }},
      {"open for mapping", [](const std::u16string& p) {
         HANDLE h = CreateFileForMappingW(p.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                          nullptr);
         return h != INVALID_HANDLE_VALUE && CloseHandle(h);
       }},
      {"copy onto", [](const std::u16string& p) { return CopyFileW(u"\\source.txt", p.c_str(), FALSE) != FALSE; }},
  };
  for (const auto& c : cases) {
    for (const char16_t* path : {u"\\book.txt", u"\\twin-b.txt"}) {
      SCOPED_TRACE(std::string(c.name));
      SetLastError(0);
      EXPECT_FALSE(c.write(path));
      EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    }
  }
  EXPECT_TRUE(OutsideUnchanged());
  EXPECT_EQ(ReadText(u"\\twin-a.txt"), "twin");
  EXPECT_EQ(ReadText(u"\\twin-b.txt"), "twin");
  EXPECT_EQ(ReadText(u"\\book.txt"), "outside");

  // A save writes a new file and renames it: the other name keeps its file.
  ASSERT_TRUE(WriteText(u"\\book.txt.new", "saved"));
  ASSERT_TRUE(MoveFileExW(u"\\book.txt.new", u"\\book.txt", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(ReadText(u"\\book.txt"), "saved");
  EXPECT_TRUE(OutsideUnchanged());
  EXPECT_TRUE(DeleteFileW(u"\\twin-b.txt"));
  EXPECT_EQ(ReadText(u"\\twin-a.txt"), "twin");
}

}  // namespace
