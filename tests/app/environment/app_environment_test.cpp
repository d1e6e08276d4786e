// The environment: the default tables by display density, the folders and
// fixed names, localised strings, generated pages and moving a book onto a
// storage card.
#include <gtest/gtest.h>

#include <string>

#include "app/environment/app_environment.h"
#include "foundation/files/folders.h"
#include "foundation/language/localized_strings_testing.h"
#include "platform/files/files.h"
#include "platform/testing/profile.h"
#include "tests/support/palm_database_builder.h"

namespace {

std::u16string TextOf(const EncodedString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.UnsignedBytes()), s.ByteLength() / 2);
}

EncodedString Wide(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

bool Exists(const char16_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

void SetDpi(int dpi) {
  devtest::DeviceProfile profile;
  profile.dpi = dpi;
  devtest::SetProfile(profile);
}

}  // namespace

TEST(AppEnvironment, DefaultSettingsFollowTheDisplayDensity) {
  struct Case {
    int dpi;
    uint32_t key;
    int32_t expected;
  } cases[] = {
      {129, 7, 20}, {130, 7, 40}, {130, 2, 24}, {129, 2, 24}, {130, 0, 0}, {130, 18, 0},
      {130, 21, 0}, {129, 44, 3}, {130, 44, 6}, {130, 24, 10}, {129, 45, 35},
  };
  for (const Case& c : cases) {
    SetDpi(c.dpi);
    AppEnvironment environment(Wide(u"\\Program Files\\tessalyn"), nullptr);
    EXPECT_EQ(environment.GetDefaultSetting(c.key), c.expected) << "key " << c.key << " at " << c.dpi;
  }
}

TEST(AppEnvironment, DefaultColoursAndWhiteForUnknownKeys) {
  AppEnvironment environment(Wide(u"\\Program Files\\tessalyn"), nullptr);
  EXPECT_EQ(environment.GetDefaultColor(0).value, 0xFFFFFFu);
  EXPECT_EQ(environment.GetDefaultColor(29).value, 0xFFFFFFu);
  EXPECT_EQ(environment.GetDefaultColor(39).value, 0xC56A31u);
  EXPECT_EQ(environment.GetDefaultColor(22).value, 0x000000u);
  EXPECT_EQ(environment.GetDefaultColor(43).value, 0xD8E9ECu);
}

TEST(AppEnvironment, FoldersAndFixedNames) {
  AppEnvironment with(Wide(u"\\Program Files\\tessalyn\\"), nullptr);
  AppEnvironment without(Wide(u"\\Program Files\\tessalyn"), nullptr);
  EXPECT_EQ(TextOf(with.programFolder()), u"\\Program Files\\tessalyn\\");
  EXPECT_EQ(TextOf(without.programFolder()), u"\\Program Files\\tessalyn\\");
  EncodedString path;
  ASSERT_TRUE(with.GetGlobalConfigurationPath(&path));
  EXPECT_EQ(TextOf(path), u"\\Windows\\QVR_global_configuration.qvr");
  ASSERT_TRUE(with.GetTypeResourcePath(&path));
  EXPECT_EQ(TextOf(path), u"\\Program Files\\tessalyn\\corvtype.prc");
  ASSERT_TRUE(with.GetLibraryListPath(&path));
  EXPECT_EQ(TextOf(path), u"\\Windows\\tessalyn.qvl");
  ASSERT_TRUE(with.GetCacheFilePath(&path));
  EXPECT_EQ(TextOf(path), u"\\Windows\\CorvellineCache.qvr");
}

TEST(AppEnvironment, DatabaseFolderIsCreated) {
  AppEnvironment environment(Wide(u"\\Program Files\\tessalyn"), nullptr);
  EncodedString path;
  ASSERT_TRUE(environment.GetDatabaseFolder(&path));
  EXPECT_EQ(TextOf(path), u"\\eBooks\\database");
  EXPECT_TRUE(Exists(u"\\eBooks\\database"));
  ASSERT_TRUE(environment.GetDatabaseFolder(&path));  // existing: still true
}

TEST(AppEnvironment, StringsInTheUsersLanguage) {
  devtest::SetProfile({0x040C});
  devtest::ResetLanguageOffset();
  AppEnvironment environment(Wide(u"\\Program Files\\tessalyn"), nullptr);
  SharedWideString text;
  ASSERT_TRUE(environment.LoadString(5375, &text));
  EXPECT_EQ(std::u16string(text.Chars(), text.length), u"Mémoire principale");
  EXPECT_EQ(environment.GetUiLanguage(), 12);
  EXPECT_FALSE(environment.LoadString(1, &text));
  EXPECT_TRUE(text.IsEmpty());
  devtest::ResetLanguageOffset();
}

TEST(AppEnvironment, DeleteGeneratedPagesSparesOtherFiles) {
  CreateDirectoryW(u"\\Windows", nullptr);
  for (const char16_t* name : {u"\\Windows\\CorvellineAutogenCart.qvg", u"\\Windows\\CorvellineAutogenX.qvg",
                               u"\\Windows\\CorvellineCache.qvr", u"\\Windows\\Autogen.qvg"}) {
    ASSERT_TRUE(testbuild::WriteDeviceFile(name, Bytes("x")));
  }
  DeleteGeneratedPages(Wide(u"\\Windows"));
  EXPECT_FALSE(Exists(u"\\Windows\\CorvellineAutogenCart.qvg"));
  EXPECT_FALSE(Exists(u"\\Windows\\CorvellineAutogenX.qvg"));
  EXPECT_TRUE(Exists(u"\\Windows\\CorvellineCache.qvr"));
  EXPECT_TRUE(Exists(u"\\Windows\\Autogen.qvg"));
}

namespace {

struct RecordingReloader : BookReloader {
  void ReloadIfShown(const EncodedString& path) override { reloaded = TextOf(path); }
  std::u16string reloaded;
};

class MoveBookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryW(u"\\eBooks", nullptr);
    CreateDirectoryW(u"\\Card", nullptr);
  }
  bool Move(const char16_t* book, EncodedString* newPath) {
    newPath->FromWide(book);
    return MoveBookToStorage(newPath, Wide(u"\\Card"), &reloader);
  }
  static std::string Content(const char16_t* path) {
    auto bytes = testbuild::ReadDeviceFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<missing>");
  }
  RecordingReloader reloader;
};

}  // namespace

TEST_F(MoveBookTest, BookAndSideFileMoveTogether) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\eBooks\\a.corv", Bytes("book")));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\eBooks\\a.qvr", Bytes("side")));
  EncodedString path;
  ASSERT_TRUE(Move(u"\\eBooks\\a.corv", &path));
  EXPECT_EQ(TextOf(path), u"\\Card\\ebooks\\a.corv");
  EXPECT_EQ(Content(u"\\Card\\ebooks\\a.corv"), "book");
  EXPECT_EQ(Content(u"\\Card\\ebooks\\a.qvr"), "side");
  EXPECT_FALSE(Exists(u"\\eBooks\\a.corv"));
  EXPECT_EQ(reloader.reloaded, u"\\eBooks\\a.corv");
}

TEST_F(MoveBookTest, BookWithoutSideFileMovesAlone) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\eBooks\\b.corv", Bytes("book")));
  EncodedString path;
  ASSERT_TRUE(Move(u"\\eBooks\\b.corv", &path));
  EXPECT_EQ(Content(u"\\Card\\ebooks\\b.corv"), "book");
  EXPECT_FALSE(Exists(u"\\Card\\ebooks\\b.qvr"));
}

TEST_F(MoveBookTest, ABookOfTheSameNameOnTheCardRefusesAndKeepsItsSideFile) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\eBooks\\c.corv", Bytes("mine")));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\eBooks\\c.qvr", Bytes("my marks")));
  CreateDirectoryW(u"\\Card\\ebooks", nullptr);
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\Card\\ebooks\\c.corv", Bytes("theirs")));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\Card\\ebooks\\c.qvr", Bytes("their marks")));
  EncodedString path;
  EXPECT_FALSE(Move(u"\\eBooks\\c.corv", &path));
  EXPECT_EQ(Content(u"\\eBooks\\c.corv"), "mine");
  EXPECT_EQ(Content(u"\\eBooks\\c.qvr"), "my marks");
  EXPECT_EQ(Content(u"\\Card\\ebooks\\c.corv"), "theirs");
  EXPECT_EQ(Content(u"\\Card\\ebooks\\c.qvr"), "their marks");
}

TEST_F(MoveBookTest, AStaleSideFileOnTheCardIsReplaced) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\eBooks\\d.corv", Bytes("book")));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\eBooks\\d.qvr", Bytes("fresh")));
  CreateDirectoryW(u"\\Card\\ebooks", nullptr);
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\Card\\ebooks\\d.qvr", Bytes("stale")));
  EncodedString path;
  ASSERT_TRUE(Move(u"\\eBooks\\d.corv", &path));
  EXPECT_EQ(Content(u"\\Card\\ebooks\\d.qvr"), "fresh");
}

TEST_F(MoveBookTest, AMissingBookFailsAndPutsTheSideFileBack) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\eBooks\\e.qvr", Bytes("side")));
  EncodedString path;
  EXPECT_FALSE(Move(u"\\eBooks\\e.corv", &path));
  EXPECT_EQ(Content(u"\\eBooks\\e.qvr"), "side");
  EXPECT_FALSE(Exists(u"\\Card\\ebooks\\e.qvr"));
}
