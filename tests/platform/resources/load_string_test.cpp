// LoadStringW over an installed string table: the pointer forms and the
// copying form.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/last_error.h"
#include "platform/modules/modules.h"
#include "platform/resources/load_string.h"
#include "platform/resources/program_resources.h"
#include "resources/tessalyn_resources.h"

namespace {

const StringTableEntry kStrings[] = {
    {5002, u"Open"}, {5023, u"Library"}, {5100, u""}, {6023, u"Biblioth\u00e8que"}, {20000, u"tessalyn"},
};

class LoadString : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramResources resources;
    resources.strings = kStrings;
    resources.stringCount = sizeof(kStrings) / sizeof(kStrings[0]);
    InstallProgramResources(resources);
  }
  void TearDown() override { InstallTessalynResources(); }
};

}  // namespace

TEST_F(LoadString, NullBufferAnswersTheAddressOfTheStoredText) {
  for (const StringTableEntry& entry : kStrings) {
    LONG_PTR address = LoadStringW(GetModuleHandleW(nullptr), entry.id, nullptr, 0);
    EXPECT_EQ(reinterpret_cast<const WCHAR*>(address), entry.text) << entry.id;
    EXPECT_EQ(LoadStringW(nullptr, entry.id, nullptr, 0), address) << "a null module is the program's";
  }
  SetLastError(0);
  EXPECT_EQ(LoadStringW(nullptr, 5003, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), 1814u);
  EXPECT_EQ(LoadStringW(nullptr, 1, nullptr, 0), 0);
  EXPECT_EQ(LoadStringW(nullptr, 30000, nullptr, 0), 0);
}

TEST_F(LoadString, ZeroLengthBufferReceivesThePointer) {
  const WCHAR* text = nullptr;
  EXPECT_EQ(LoadStringW(nullptr, 6023, reinterpret_cast<LPWSTR>(&text), 0), 12);
  EXPECT_EQ(text, kStrings[3].text);
  EXPECT_EQ(LoadStringW(nullptr, 4, reinterpret_cast<LPWSTR>(&text), 0), 0);
  EXPECT_EQ(text, nullptr);
}

TEST_F(LoadString, CopiesAndTruncates) {
  WCHAR buffer[8];
  EXPECT_EQ(LoadStringW(nullptr, 5023, buffer, 8), 7);
  EXPECT_EQ(std::u16string(buffer), u"Library");
  EXPECT_EQ(LoadStringW(nullptr, 6023, buffer, 8), 7);
  EXPECT_EQ(std::u16string(buffer), u"Bibliot");
  EXPECT_EQ(LoadStringW(nullptr, 5002, buffer, 1), 0);
  EXPECT_EQ(buffer[0], 0);
  buffer[0] = u'x';
  EXPECT_EQ(LoadStringW(nullptr, 5003, buffer, 8), 0);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(LoadStringW(nullptr, 5100, buffer, 8), 0);  // present but empty
  SetLastError(0);
  EXPECT_EQ(LoadStringW(nullptr, 5002, nullptr, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(LoadStringW(nullptr, 5002, buffer, -1), 0);
}

TEST_F(LoadString, OnlyTheProgramModuleHasStrings) {
  HMODULE other = LoadLibraryW(u"mlang.dll");
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(LoadStringW(other, 5002, nullptr, 0), 0);
  FreeLibrary(other);
}

TEST(LoadStringEmptyTable, NothingInstalledFindsNothing) {
  InstallProgramResources(ProgramResources{});
  EXPECT_EQ(LoadStringW(nullptr, 20000, nullptr, 0), 0);
  InstallTessalynResources();
  EXPECT_NE(LoadStringW(nullptr, 20000, nullptr, 0), 0);
}
