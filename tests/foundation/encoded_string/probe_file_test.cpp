// EncodedString::ProbeFile: a whole file read into a string, its byte-order
// mark deciding the code page, and error 7 for files that cannot be read
// whole.
#include <gtest/gtest.h>

#include <string>

#include "foundation/encoded_string/encoded_string.h"
#include "platform/files/files.h"
#include "platform/testing/allocation.h"
#include "platform/testing/files.h"

namespace {

void Put(const char16_t* path, const std::string& bytes) {
  HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

EncodedString W(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

std::string Bytes(const EncodedString& s) {
  return s.buffer ? std::string(reinterpret_cast<const char*>(s.buffer), s.length) : std::string();
}

}  // namespace

TEST(ProbeFile, ByteOrderMarksDecideTheCodePage) {
  struct Case {
    const char* name;
    std::string file;
    int32_t unitKind, codePage;
    std::string text;
    int32_t error;
  } cases[] = {
      {"no mark", "plain", 1, 20105, "plain", 0},
      {"UTF-16 native", std::string("\xFF\xFEh\0i\0", 6), 2, 65002, std::string("h\0i\0", 4), 0},
      {"UTF-16 swapped", std::string("\xFE\xFF\0h\0i", 6), 2, 65002, std::string("h\0i\0", 4), 0},
      {"UTF-8", "\xEF\xBB\xBFz\xC3\xA9", 3, 65001, "z\xC3\xA9", 0},
      {"mark only", "\xFF\xFE", 2, 65002, "", 0},
      {"odd after mark", std::string("\xFF\xFEh\0i", 5), 2, 65002, std::string("h\0", 2), 7},
      {"odd swapped", std::string("\xFE\xFF\0h\0", 5), 2, 65002, std::string("h\0", 2), 7},
      {"half a UTF-8 mark", "\xEF\xBB", 1, 20105, "\xEF\xBB", 0},
      {"one byte", "\xFF", 1, 20105, "\xFF", 0},
      {"empty file", "", 1, 20105, "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Put(u"\\probe.txt", c.file);
    EncodedString s;
    EXPECT_EQ(s.ProbeFile(W(u"\\PROBE.TXT")), c.error == 0);
    EXPECT_EQ(s.GetError(), c.error);
    EXPECT_EQ(s.unitKind, c.unitKind);
    EXPECT_EQ(s.codePage, c.codePage);
    EXPECT_EQ(Bytes(s), c.text);
    EXPECT_EQ(s.selStart, 0u);
    EXPECT_EQ(s.selEnd, s.length);
    EXPECT_EQ(s.cursor, -1);
  }
  EXPECT_EQ(devtest::OpenFileHandleCount(), 0);
}

TEST(ProbeFile, FilesThatCannotBeOpenedRecordError7) {
  EncodedString s;
  EXPECT_FALSE(s.ProbeFile(W(u"\\missing.txt")));
  EXPECT_EQ(s.GetError(), 7);

  Put(u"\\busy.txt", "x");
  HANDLE h = CreateFileW(u"\\busy.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EncodedString t;
  EXPECT_FALSE(t.ProbeFile(W(u"\\busy.txt")));
  EXPECT_EQ(t.GetError(), 7);
  CloseHandle(h);
}

TEST(ProbeFile, AStringMayProbeTheFileItNames) {
  Put(u"\\self.txt", "content");
  EncodedString s = W(u"\\self.txt");
  EXPECT_TRUE(s.ProbeFile(s));
  EXPECT_EQ(Bytes(s), "content");
}

TEST(ProbeFile, NoMemoryForTheFileLeavesNothingOpen) {
  Put(u"\\big.txt", std::string(5000, 'b'));
  EncodedString path = W(u"\\big.txt");
  for (long n = 1; n <= 4; ++n) {
    SCOPED_TRACE(n);
    long failuresBefore = devtest::InjectedAllocationFailures();
    EncodedString t;
    {
      devtest::AllocationFailure fail(n);
      t.ProbeFile(path);
    }
    if (devtest::InjectedAllocationFailures() > failuresBefore) {
      EXPECT_NE(t.GetError(), 0);
    } else {
      EXPECT_EQ(t.GetError(), 0);
    }
  }
  EXPECT_EQ(devtest::OpenFileHandleCount(), 0);
}
