// Host names that are not valid UTF-8 (as cards written by other systems
// carry) decode reversibly, each bad byte b as U+DC00 + b, so that two host
// files never answer to one device name, in the calls and in the attribute
// store.
#include <gtest/gtest.h>

#include <algorithm>

#include "files_hostile_fixture.h"
#include "platform/core/last_error.h"
#include "platform/files/attribute_store.h"
#include "platform/files/attribute_store_format.h"
#include "platform/files/host_names.h"

namespace fs = std::filesystem;
using namespace hostile;

namespace {

TEST(HostNames, DecodeStrictUtf8AndEscapeEveryOtherByte) {
  struct Case {
    const char* why;
    std::string host;
    std::u16string device;
  } cases[] = {
      {"ascii", "Book.txt", u"Book.txt"},
      {"two, three and four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x93\x96", u"\u00E9\u20AC\U0001F4D6"},
      {"latin-1 byte", "caf\xE9.txt", u"caf\xDCE9.txt"},
      {"stray continuation", "a\x80", u"a\xDC80"},
      {"overlong slash", "\xC0\xAF", u"\xDCC0\xDCAF"},
      {"overlong three bytes", "\xE0\x80\xAF", u"\xDCE0\xDC80\xDCAF"},
      {"encoded surrogate", "\xED\xB2\x80", u"\xDCED\xDCB2\xDC80"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},
      {"cut sequence then ascii", "\xE2\x82z", u"\xDCE2\xDC82z"},
      {"cut at the end", "x\xF0\x9F\x93", u"x\xDCF0\xDC9F\xDC93"},
      {"bytes never in UTF-8", "\xFE\xFF\xC1", u"\xDCFE\xDCFF\xDCC1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(devicefs::HostNameToDevice(c.host), c.device);
    std::string back;
    ASSERT_TRUE(devicefs::DeviceNameToHost(c.device, &back));
    EXPECT_EQ(back, c.host);
  }
}

TEST(HostNames, DeviceNamesNoHostNameGivesAreRefused) {
  struct Case {
    const char* why;
    std::u16string device;
  } cases[] = {
      {"lone high surrogate", u"a\xD800"},
      {"high surrogate before a letter", u"\xD83Dz"},
      {"low surrogate below the escapes", u"\xDC41"},
      {"escapes that form valid UTF-8", u"\xDCC3\xDCA9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    std::string host = "unchanged";
    EXPECT_FALSE(devicefs::DeviceNameToHost(c.device, &host));
    EXPECT_EQ(host, "unchanged");
    std::u16string path = u"\\" + c.device;
    EXPECT_EQ(Open(path, GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
  }
}

class UndecodableNames : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = devtest::DeviceRootFolder();
    fs::create_directory(root_ / "Card");
    PutHostText(root_ / "Card" / "x\x80.txt", "first");
    PutHostText(root_ / "Card" / "x\x81.txt", "second");
  }
  fs::path root_;
};

TEST_F(UndecodableNames, TwoNamesDifferingInABadByteStayApart) {
  std::vector<std::u16string> names = Listed(u"\\Card");
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names, (std::vector<std::u16string>{u"x\xDC80.txt", u"x\xDC81.txt"}));
  EXPECT_EQ(ReadText(u"\\Card\\x\xDC80.txt"), "first");
  EXPECT_EQ(ReadText(u"\\Card\\X\xDC81.TXT"), "second");

  ASSERT_TRUE(DeleteFileW(u"\\Card\\x\xDC81.txt"));
  EXPECT_FALSE(fs::exists(root_ / "Card" / "x\x81.txt"));
  EXPECT_EQ(HostText(root_ / "Card" / "x\x80.txt"), "first");
  EXPECT_FALSE(DeleteFileW(u"\\Card\\x\xDC81.txt"));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  ASSERT_TRUE(DeleteFileW(u"\\Card\\x\xDC80.txt"));
  EXPECT_TRUE(fs::is_empty(root_ / "Card"));
}

TEST_F(UndecodableNames, DeviceNamesWithEscapesMakeTheirBytes) {
  ASSERT_TRUE(WriteText(u"\\Card\\y\xDC9F.txt", "made"));
  EXPECT_EQ(HostText(root_ / "Card" / "y\x9F.txt"), "made");
  ASSERT_TRUE(MoveFileW(u"\\Card\\y\xDC9F.txt", u"\\Card\\z\xDCFF.txt"));
  EXPECT_EQ(HostText(root_ / "Card" / "z\xFF.txt"), "made");
}

TEST_F(UndecodableNames, AttributesOfEachNameAreKeptApartAcrossAReload) {
  ASSERT_TRUE(SetFileAttributesW(u"\\Card\\x\xDC80.txt", FILE_ATTRIBUTE_HIDDEN));
  devicefs::ResetAttributeStore();
  EXPECT_EQ(GetFileAttributesW(u"\\Card\\x\xDC80.txt"), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(GetFileAttributesW(u"\\Card\\x\xDC81.txt"), FILE_ATTRIBUTE_NORMAL);
}

TEST(AttributeStoreFile, MalformedLinesAreSkipped) {
  std::string text =
      "2 0 \\good\n"
      "123456789 0 \\too-many-hex-digits\n"
      "1 99999999999999999999 \\creation-overflows\n"
      "1 18446744073709551615 \\largest-creation\n"
      "1 x \\creation-not-a-number\n"
      "g 0 \\attributes-not-hex\n"
      "1  0 \\two-blanks\n"
      "1 0 \n"
      "1 0\n"
      "\n"
      "ffffffff 0 \\masked\n"
      "0 0 \\nothing-kept\n"
      "2 5 \\bad\xFFname";
  devicefs::StoredEntries entries = devicefs::ParseAttributeStore(text);
  devicefs::StoredEntries expected = {
      {u"\\good", {2, 0}},
      {u"\\largest-creation", {1, 18446744073709551615ull}},
      {u"\\masked", {devicefs::kEmulatedAttributeMask, 0}},
      {u"\\bad\xDCFFname", {2, 5}},
  };
  EXPECT_EQ(entries, expected);
  EXPECT_EQ(devicefs::ParseAttributeStore(devicefs::FormatAttributeStore(entries)), expected);
}

}  // namespace
