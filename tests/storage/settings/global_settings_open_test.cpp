// Opening the global settings file: the exact 312 bytes of a new settings
// record; a damaged file set aside as "<name>.bad" before a fresh one is
// written; lack of memory or an unreadable file failing without touching
// it; the read-only open (the window set's fallback, here through the
// emulated read-only attribute) never writing; saves that fail or crash
// leaving the old settings.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/files/files.h"
#include "platform/testing/allocation.h"
#include "platform/testing/files.h"
#include "storage/settings/global_settings_file.h"
#include "tests/support/record_file_builder.h"

using testbuild::RecordFileBuilder;

namespace {

constexpr const char16_t* kPath = u"\\QVR_global_configuration.qvr";
constexpr const char16_t* kBad = u"\\QVR_global_configuration.qvr.bad";

// The environment of the application: the data folder is the root.
class RootEnvironment : public SettingsEnvironment {
 public:
  bool GetGlobalConfigurationPath(EncodedString* path) override {
    ++calls;
    if (fail) return false;
    path->FromWide(u"\\");
    path->AppendConverted(Wide(kGlobalConfigurationFileName));
    return path->IsOk();
  }
  static EncodedString Wide(const char16_t* text) {
    EncodedString s;
    s.FromWide(text);
    return s;
  }
  bool fail = false;
  int calls = 0;
};

std::vector<uint8_t> FileAt(const char16_t* path) {
  return testbuild::PeekDeviceFile(path).value_or(std::vector<uint8_t>{'<', 'n', 'o', 'n', 'e', '>'});
}

bool Exists(const char16_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

// The settings record of a new file, field by field as the layout lists
// them: {offset, width, value}; 4-byte values big-endian, colours as their
// bytes red, green, blue, fourth.
struct Field {
  uint32_t offset;
  uint32_t width;
  uint32_t value;
};
constexpr uint32_t kNone = 0xFFFFFFFF;
const Field kNewRecord[] = {
    {0, 4, 0},          {4, 4, 0},          {8, 4, kNone},      {12, 4, 65002},     {16, 4, 0xFFFFFF00},
    {20, 4, 0},         {24, 4, 0x0055AA00}, {28, 1, 0},        {29, 1, 1},         {30, 1, 0},
    {31, 1, 0},         {32, 4, kNone},     {36, 4, kNone},     {40, 4, kNone},     {44, 4, kNone},
    {48, 4, kNone},     {52, 4, kNone},     {56, 4, kNone},     {60, 4, 1},         {64, 4, kNone},
    {68, 1, 0},         {69, 1, 1},         {70, 1, 0},         {71, 1, 0},         {72, 4, 0xFFFF0000},
    {76, 4, 0xFF000000}, {80, 4, 0},        {84, 4, 0},         {88, 4, 0},         {92, 4, 0},
    {96, 4, 0x20084F},  {100, 4, kNone},    {104, 4, 0},
    // 108-251: four slots of a word and 32 bytes, zeros (checked below)
    {252, 4, kNone},    {256, 1, 1},        {257, 1, 1},        {258, 1, 1},        {259, 1, 255},
    {260, 1, 255},      {261, 1, 255},      {262, 1, 255},      {263, 1, 1},        {264, 4, 15},
    {268, 4, 1},        {272, 4, 1},        {276, 4, 0},        {280, 4, 0},        {284, 1, 255},
    {285, 1, 255},      {286, 1, 255},      {287, 1, 255},      {288, 1, 255},      {289, 1, 255},
    {290, 1, 255},      {291, 1, 255},      {292, 4, 0},        {296, 4, 0},        {300, 4, 0},
    {304, 4, 0},        {308, 4, 1},
};

std::vector<uint8_t> NewRecordBytes() {
  std::vector<uint8_t> bytes(312, 0);
  for (const Field& f : kNewRecord) {
    if (f.width == 1)
      bytes[f.offset] = static_cast<uint8_t>(f.value);
    else
      testbuild::PutU32BE(bytes, f.offset, f.value);
  }
  return bytes;
}

// A current settings file with a changed setting and two categories.
std::vector<uint8_t> SoundSettingsFile() {
  auto record = NewRecordBytes();
  testbuild::PutU32BE(record, 4, 14);  // main font size
  testbuild::PutU32BE(record, 36, 0x21);
  RecordFileBuilder builder("GPAR");
  builder.Add("GPAR", record, 0x20);
  builder.Add("DATA", testbuild::Utf16Native(u"Tahoma"), 0x21);
  builder.Add("CATE", testbuild::Utf16BE(u"Novels"), 0x22);
  builder.Add("CATE", testbuild::Utf16BE(u"History"), 0x23);
  return builder.Build();
}

// What the sound file's reader must see.
std::string SettingsOf(GlobalSettingsFile& settings) {
  std::string out = std::to_string(settings.GetMainFontSize());
  EncodedString font;
  if (settings.ReadTextSetting(&GlobalSettingsFile::GetMainFontName, &font) == RecordResult::kOk)
    out += ":" + std::string(font.Chars(), font.Chars() + font.ByteLength() / 2);
  for (uint32_t id = settings.FirstCategory(); id != kNone; id = settings.NextCategory()) {
    uint32_t count = 0;
    const WCHAR* name = settings.GetCategoryName(id, &count);
    out += ":" + (name ? std::string(name, name + count) : std::string("?"));
  }
  return out;
}

class GlobalSettingsOpenTest : public ::testing::Test {
 protected:
  RecordResult Open(GlobalSettingsFile& settings, bool readOnly = false) {
    return settings.OpenInDataFolder(&environment, readOnly);
  }
  RootEnvironment environment;
};

}  // namespace

TEST_F(GlobalSettingsOpenTest, ANewFileHoldsExactlyTheDefaultSettingsRecord) {
  {
    GlobalSettingsFile settings;
    ASSERT_EQ(Open(settings), RecordResult::kOk);
    EXPECT_FALSE(settings.IsReadOnly());
  }
  EXPECT_EQ(environment.calls, 1);
  auto view = testbuild::ReadTaggedDeviceFile(kPath);
  ASSERT_TRUE(view);
  EXPECT_EQ(view->head.type, testbuild::FourCC("GPAR"));
  EXPECT_EQ(view->head.creator, testbuild::FourCC("CORV"));
  ASSERT_EQ(view->records.size(), 1u);
  EXPECT_EQ(view->records[0].tag, "GPAR");
  EXPECT_EQ(view->records[0].storedLength, 312u);
  EXPECT_EQ(view->records[0].recordSize, 320u);
  EXPECT_EQ(view->records[0].data, NewRecordBytes());
  for (uint32_t offset = 108; offset < 252; ++offset) EXPECT_EQ(view->records[0].data[offset], 0) << offset;
}

TEST_F(GlobalSettingsOpenTest, WithoutAPathNothingIsOpened) {
  environment.fail = true;
  GlobalSettingsFile settings;
  EXPECT_EQ(Open(settings), RecordResult::kFailed);
  EXPECT_EQ(Open(settings, true), RecordResult::kFailed);
  EXPECT_EQ(settings.OpenInDataFolder(nullptr, false), RecordResult::kFailed);
  EncodedString broken;
  broken.FromWide(kPath);
  broken.SetError(kErrorConversion);
  EXPECT_EQ(settings.OpenOrCreate(broken, false), RecordResult::kFailed);
  EXPECT_FALSE(Exists(kPath));
}

TEST_F(GlobalSettingsOpenTest, ASoundFileIsReadAsItIs) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, SoundSettingsFile()));
  GlobalSettingsFile settings;
  ASSERT_EQ(Open(settings), RecordResult::kOk);
  EXPECT_EQ(SettingsOf(settings), "14:Tahoma:Novels:History");
  EXPECT_FALSE(Exists(kBad));
}

TEST_F(GlobalSettingsOpenTest, ADamagedFileIsSetAsideBeforeTheDefaultsAreWritten) {
  RecordFileBuilder categoryFirst("GPAR");
  categoryFirst.Add("CATE", testbuild::Utf16BE(u"Novels"));
  categoryFirst.Add("GPAR", NewRecordBytes());
  RecordFileBuilder unreadable("GPAR");
  unreadable.AddRaw(testbuild::TaggedRecord("GPAR", std::vector<uint8_t>(100, 0), 312u));
  auto sound = SoundSettingsFile();
  std::vector<uint8_t> cut(sound.begin(), sound.begin() + 90);  // entries past the end
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  } cases[] = {{"no settings record first", categoryFirst.Build()},
               {"unreadable settings record", unreadable.Build()},
               {"cut short", cut},
               {"not a database", std::vector<uint8_t>(500, 'x')}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(testbuild::WriteDeviceFile(kBad, {9, 9}));  // an older one is replaced
    ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, c.bytes));
    {
      GlobalSettingsFile settings;
      ASSERT_EQ(Open(settings), RecordResult::kOk);
      EXPECT_EQ(settings.GetWord264(), 15u);
      EXPECT_EQ(settings.CountCategories(), 0u);
    }
    EXPECT_EQ(FileAt(kBad), c.bytes);
    auto view = testbuild::ReadTaggedDeviceFile(kPath);
    ASSERT_TRUE(view);
    ASSERT_EQ(view->records.size(), 1u);
    EXPECT_EQ(view->records[0].data, NewRecordBytes());
  }
  // A file of no bytes or an empty database holds no settings to keep.
  for (const auto& bytes : {std::vector<uint8_t>{}, RecordFileBuilder("GPAR").Build()}) {
    DeleteFileW(kBad);
    ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, bytes));
    {
      GlobalSettingsFile settings;
      ASSERT_EQ(Open(settings), RecordResult::kOk);
    }
    EXPECT_FALSE(Exists(kBad));
    EXPECT_EQ(testbuild::ReadTaggedDeviceFile(kPath)->records.at(0).data, NewRecordBytes());
  }
}

TEST_F(GlobalSettingsOpenTest, LackOfMemoryFailsTheOpenAndLeavesEverySetting) {
  auto sound = SoundSettingsFile();
  for (long n = 1;; ++n) {
    SCOPED_TRACE(n);
    ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, sound));
    RecordResult result;
    bool injected;
    {
      GlobalSettingsFile settings;
      {
        devtest::AllocationFailure failure(n);
        result = Open(settings);
      }
      injected = devtest::InjectedAllocationFailures() > 0;
      devtest::ResetAllocations();
      if (result == RecordResult::kOk) {
        EXPECT_EQ(SettingsOf(settings), "14:Tahoma:Novels:History");
      } else {
        EXPECT_FALSE(settings.IsOpen());
      }
    }
    EXPECT_FALSE(Exists(kBad));
    if (result != RecordResult::kOk) {
      EXPECT_EQ(FileAt(kPath), sound);
    }
    GlobalSettingsFile check;
    ASSERT_EQ(Open(check, true), RecordResult::kOk);
    EXPECT_EQ(SettingsOf(check), "14:Tahoma:Novels:History");
    if (!injected) break;
    ASSERT_LT(n, 200);
  }
}

TEST_F(GlobalSettingsOpenTest, AReadOnlyOpenLeavesTheFileByteForByte) {
  // A record of an older version (256 bytes), which a writable open would
  // grow.
  auto record = NewRecordBytes();
  record.resize(256);
  testbuild::PutU32BE(record, 0, 11);
  RecordFileBuilder builder("GPAR");
  builder.Add("GPAR", record);
  builder.Add("CATE", testbuild::Utf16BE(u"Poems"));
  auto old = builder.Build();
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, old));
  {
    GlobalSettingsFile settings;
    ASSERT_EQ(Open(settings, true), RecordResult::kOk);
    EXPECT_TRUE(settings.IsReadOnly());
    EXPECT_EQ(settings.GetAltFontSize(), 11u);
    EXPECT_EQ(settings.CountCategories(), 1u);
    EXPECT_FALSE(settings.GetFlag300());        // beyond the old record: the preset
    EXPECT_EQ(settings.GetWord264(), 0u);       // the preset, not the new-file value
    EXPECT_EQ(settings.SetFlag300(true), RecordResult::kFailed);
    EXPECT_EQ(settings.AddCategory(u"x", 1), kNone);
    EXPECT_FALSE(settings.Save());
  }
  EXPECT_EQ(FileAt(kPath), old);
}

TEST_F(GlobalSettingsOpenTest, TheReadOnlyAttributeFailsTheWritableOpenAndTheFallbackReadsTheFile) {
  auto sound = SoundSettingsFile();
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, sound));
  ASSERT_TRUE(SetFileAttributesW(kPath, FILE_ATTRIBUTE_READONLY));
  GlobalSettingsFile settings;
  EXPECT_EQ(Open(settings), RecordResult::kFailed);
  ASSERT_EQ(Open(settings, true), RecordResult::kOk);
  EXPECT_EQ(SettingsOf(settings), "14:Tahoma:Novels:History");
  settings.Close();
  EXPECT_EQ(FileAt(kPath), sound);
  EXPECT_FALSE(Exists(kBad));
}

TEST_F(GlobalSettingsOpenTest, AReadOnlyOpenWithoutAUsableFileAnswersThePresets) {
  std::vector<uint8_t> junk(100, 'j');
  for (bool present : {false, true}) {
    SCOPED_TRACE(present);
    if (present) {
      ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, junk));
    }
    GlobalSettingsFile settings;
    ASSERT_EQ(Open(settings, true), RecordResult::kOk);
    EXPECT_FALSE(settings.IsOpen());
    EXPECT_EQ(settings.GetWord92(), 1u);
    EXPECT_EQ(settings.GetWord96(), 0x20084Fu);
    EXPECT_EQ(settings.GetWord12(), kNone);
    EXPECT_TRUE(settings.GetWord308());
    EXPECT_EQ(settings.FirstCategory(), kNone);
    settings.Close();
    if (present) {
      EXPECT_EQ(FileAt(kPath), junk);
    } else {
      EXPECT_FALSE(Exists(kPath));
    }
    EXPECT_FALSE(Exists(kBad));
  }
}

TEST_F(GlobalSettingsOpenTest, AFailedSaveLeavesTheOldSettings) {
  auto sound = SoundSettingsFile();
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, sound));
  GlobalSettingsFile settings;
  ASSERT_EQ(Open(settings), RecordResult::kOk);
  ASSERT_EQ(settings.SetMainFontSize(20), RecordResult::kOk);
  for (long n = 1; n < 6; ++n) {
    devtest::FailNthWrite(n, n % 2 ? 0 : 3);
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(FileAt(kPath), sound);
  }
  devtest::FailNthWrite(0);
  ASSERT_TRUE(settings.Save());
  settings.Close();
  GlobalSettingsFile check;
  ASSERT_EQ(Open(check, true), RecordResult::kOk);
  EXPECT_EQ(SettingsOf(check), "20:Tahoma:Novels:History");
}

// A full or removed card often shows only when the new file is flushed or
// closed, after every write was accepted.
TEST_F(GlobalSettingsOpenTest, AFailedFlushOrCloseLeavesTheOldSettings) {
  auto sound = SoundSettingsFile();
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, sound));
  GlobalSettingsFile settings;
  ASSERT_EQ(Open(settings), RecordResult::kOk);
  ASSERT_EQ(settings.SetMainFontSize(20), RecordResult::kOk);
  void (*faults[])() = {[] { devtest::FailNthSync(1); }, [] { devtest::FailNthClose(1); },
                        [] { devtest::FailNthClose(2); }};
  for (auto fault : faults) {
    fault();
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(FileAt(kPath), sound);
  }
  ASSERT_TRUE(settings.Save());
  settings.Close();
  GlobalSettingsFile check;
  ASSERT_EQ(Open(check, true), RecordResult::kOk);
  EXPECT_EQ(SettingsOf(check), "20:Tahoma:Novels:History");
}

TEST_F(GlobalSettingsOpenTest, ACrashAtAnyWriteOfASaveLeavesTheOldSettingsReadable) {
  auto sound = SoundSettingsFile();
  for (long n = 1;; ++n) {
    SCOPED_TRACE(n);
    ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, sound));
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      GlobalSettingsFile settings;
      if (Open(settings) != RecordResult::kOk) ::_exit(3);
      settings.SetMainFontSize(9);
      settings.DeleteCategory(settings.FindCategory(u"Novels", 6));
      settings.AddCategory(u"Poems", 5);
      devtest::ExitAtNthWrite(n);
      ::_exit(settings.Save() ? 0 : 4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    int code = WEXITSTATUS(status);
    GlobalSettingsFile check;
    ASSERT_EQ(Open(check, true), RecordResult::kOk);
    if (code == 0) {
      EXPECT_EQ(SettingsOf(check), "9:Tahoma:History:Poems");
      EXPECT_GT(n, 1);
      break;
    }
    ASSERT_EQ(code, 86);
    EXPECT_EQ(SettingsOf(check), "14:Tahoma:Novels:History");
    check.Close();
    EXPECT_EQ(FileAt(kPath), sound);
    ASSERT_LT(n, 50);
  }
}
