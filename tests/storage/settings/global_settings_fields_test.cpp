// The settings record's accessors and their bytes, the upgrade of records
// written by older versions (field by field, groups rewritten as units),
// the library categories, and the cost of searching them by name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files/files.h"
#include "storage/settings/global_settings_file.h"
#include "storage/settings/settings_record_layout.h"
#include "tests/support/record_file_builder.h"

using testbuild::RecordFileBuilder;
using testbuild::WordAt;

namespace {

constexpr const char16_t* kPath = u"\\settings.qvr";
constexpr uint32_t kNone = 0xFFFFFFFF;

EncodedString Wide(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

std::u16string TextOf(const EncodedString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.UnsignedBytes()), s.ByteLength() / 2);
}

class GlobalSettingsFieldsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(settings.OpenOrCreate(Wide(kPath), false), RecordResult::kOk); }
  std::vector<uint8_t> SavedRecord() {
    EXPECT_TRUE(settings.Save());
    return testbuild::ReadTaggedDeviceFile(kPath).value().records.at(0).data;
  }
  testbuild::TaggedFileView Saved() {
    EXPECT_TRUE(settings.Save());
    return testbuild::ReadTaggedDeviceFile(kPath).value();
  }
  GlobalSettingsFile settings;
};

}  // namespace

TEST_F(GlobalSettingsFieldsTest, WordsAndBooleansLandAtTheirOffsets) {
  struct Word {
    uint32_t offset;
    RecordResult (GlobalSettingsFile::*set)(uint32_t);
    uint32_t (GlobalSettingsFile::*get)();
  } words[] = {
      {0, &GlobalSettingsFile::SetAltFontSize, &GlobalSettingsFile::GetAltFontSize},
      {4, &GlobalSettingsFile::SetMainFontSize, &GlobalSettingsFile::GetMainFontSize},
      {12, &GlobalSettingsFile::SetWord12, &GlobalSettingsFile::GetWord12},
      {92, &GlobalSettingsFile::SetWord92, &GlobalSettingsFile::GetWord92},
      {96, &GlobalSettingsFile::SetWord96, &GlobalSettingsFile::GetWord96},
      {104, &GlobalSettingsFile::SetWord104, &GlobalSettingsFile::GetWord104},
      {264, &GlobalSettingsFile::SetWord264, &GlobalSettingsFile::GetWord264},
      {276, &GlobalSettingsFile::SetWord276, &GlobalSettingsFile::GetWord276},
      {280, &GlobalSettingsFile::SetWord280, &GlobalSettingsFile::GetWord280},
      {292, &GlobalSettingsFile::SetWord292, &GlobalSettingsFile::GetWord292},
      {296, &GlobalSettingsFile::SetWord296, &GlobalSettingsFile::GetWord296},
  };
  uint32_t value = 0x1000;
  for (const auto& w : words) ASSERT_EQ((settings.*w.set)(value + w.offset), RecordResult::kOk);
  for (const auto& w : words) EXPECT_EQ((settings.*w.get)(), value + w.offset) << w.offset;
  struct Boolean {
    uint32_t offset;
    RecordResult (GlobalSettingsFile::*set)(bool);
    bool (GlobalSettingsFile::*get)();
  } booleans[] = {
      {268, &GlobalSettingsFile::SetWord268, &GlobalSettingsFile::GetWord268},
      {272, &GlobalSettingsFile::SetWord272, &GlobalSettingsFile::GetWord272},
      {300, &GlobalSettingsFile::SetFlag300, &GlobalSettingsFile::GetFlag300},
      {304, &GlobalSettingsFile::SetFlag304, &GlobalSettingsFile::GetFlag304},
      {308, &GlobalSettingsFile::SetWord308, &GlobalSettingsFile::GetWord308},
  };
  for (const auto& b : booleans) ASSERT_EQ((settings.*b.set)(b.offset % 8 == 0), RecordResult::kOk);
  auto record = SavedRecord();
  for (const auto& w : words) EXPECT_EQ(WordAt(record, w.offset), value + w.offset) << w.offset;
  for (const auto& b : booleans) {
    EXPECT_EQ(WordAt(record, b.offset), b.offset % 8 == 0 ? 1u : 0u) << b.offset;
    EXPECT_EQ((settings.*b.get)(), b.offset % 8 == 0) << b.offset;
  }
}

TEST_F(GlobalSettingsFieldsTest, FlagBytesReadAndWriteZeroOrOne) {
  struct Flag {
    uint32_t offset;
    RecordResult (GlobalSettingsFile::*set)(uint8_t);
    uint8_t (GlobalSettingsFile::*get)();
  } flags[] = {
      {28, &GlobalSettingsFile::SetByte28, &GlobalSettingsFile::GetByte28},
      {69, &GlobalSettingsFile::SetByte69, &GlobalSettingsFile::GetByte69},
      {70, &GlobalSettingsFile::SetByte70, &GlobalSettingsFile::GetByte70},
      {256, &GlobalSettingsFile::SetByte256, &GlobalSettingsFile::GetByte256},
      {257, &GlobalSettingsFile::SetByte257, &GlobalSettingsFile::GetByte257},
      {258, &GlobalSettingsFile::SetByte258, &GlobalSettingsFile::GetByte258},
      {263, &GlobalSettingsFile::SetByte263, &GlobalSettingsFile::GetByte263},
  };
  for (const auto& f : flags) ASSERT_EQ((settings.*f.set)(f.offset == 28 ? 7 : 0), RecordResult::kOk);
  ASSERT_EQ(settings.SetBytes31And68(0x80, 0), RecordResult::kOk);
  auto record = SavedRecord();
  for (const auto& f : flags) {
    EXPECT_EQ(record[f.offset], f.offset == 28 ? 1 : 0) << f.offset;
    EXPECT_EQ((settings.*f.get)(), f.offset == 28 ? 1 : 0) << f.offset;
  }
  EXPECT_EQ(record[31], 1);
  EXPECT_EQ(record[68], 0);
  uint8_t a = 9, b = 9;
  ASSERT_EQ(settings.GetBytes31And68(&a, &b), RecordResult::kOk);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 0);
  settings.Close();
  // A stored byte other than 0 or 1 reads as 1.
  record[263] = 0x40;
  RecordFileBuilder builder("GPAR");
  builder.Add("GPAR", record);
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, builder.Build()));
  ASSERT_EQ(settings.OpenOrCreate(Wide(kPath), true), RecordResult::kOk);
  EXPECT_EQ(settings.GetByte263(), 1);
}

TEST_F(GlobalSettingsFieldsTest, ColoursAreStoredRedGreenBlueFourth) {
  ASSERT_EQ(settings.SetColors(0x00102030, 0x00405060, 0x00708090, 0x00A0B0C0, 0x11D0E0F0), RecordResult::kOk);
  auto record = SavedRecord();
  auto bytes = [&](uint32_t offset) {
    return std::vector<uint8_t>(record.begin() + offset, record.begin() + offset + 4);
  };
  EXPECT_EQ(bytes(16), (std::vector<uint8_t>{0x90, 0x80, 0x70, 0x00}));  // background
  EXPECT_EQ(bytes(20), (std::vector<uint8_t>{0x30, 0x20, 0x10, 0x00}));  // text
  EXPECT_EQ(bytes(24), (std::vector<uint8_t>{0x60, 0x50, 0x40, 0x00}));  // link
  EXPECT_EQ(bytes(72), (std::vector<uint8_t>{0xC0, 0xB0, 0xA0, 0x00}));  // highlight
  EXPECT_EQ(bytes(76), (std::vector<uint8_t>{0xF0, 0xE0, 0xD0, 0x11}));  // modify mark
  uint32_t text = 0, link = 0, background = 0, highlight = 0, modify = 0;
  ASSERT_EQ(settings.GetColors(&text, &link, &background, &highlight, &modify), RecordResult::kOk);
  EXPECT_EQ(text, 0x00102030u);
  EXPECT_EQ(link, 0x00405060u);
  EXPECT_EQ(background, 0x00708090u);
  EXPECT_EQ(highlight, 0x00A0B0C0u);
  EXPECT_EQ(modify, 0x11D0E0F0u);
}

TEST_F(GlobalSettingsFieldsTest, TheLayoutGroupKeepsItsOrderAndPresets) {
  uint8_t b29 = 9, b30 = 9;
  uint32_t w8 = 9, w56 = 9, w60 = 9, w80 = 9, w84 = 9, w88 = 9;
  ASSERT_EQ(settings.GetLayoutGroup(&b29, &b30, &w8, &w56, &w60, &w80, &w84, &w88), RecordResult::kOk);
  EXPECT_EQ(b29, 1);
  EXPECT_EQ(w8, kNone);
  EXPECT_EQ(w60, 1u);
  ASSERT_EQ(settings.SetLayoutGroup(0, 1, 8, 56, 0, 80, 84, 88), RecordResult::kOk);
  auto record = SavedRecord();
  EXPECT_EQ(record[29], 0);
  EXPECT_EQ(record[30], 1);
  EXPECT_EQ(WordAt(record, 8), 8u);
  EXPECT_EQ(WordAt(record, 56), 56u);
  EXPECT_EQ(WordAt(record, 60), 0u);
  EXPECT_EQ(WordAt(record, 88), 88u);
  ASSERT_EQ(settings.GetLayoutGroup(&b29, &b30, &w8, &w56, &w60, &w80, &w84, &w88), RecordResult::kOk);
  EXPECT_EQ(w60, 1u);  // 0 reads as 1
  EXPECT_EQ(b29, 0);
  EXPECT_EQ(w84, 84u);
  settings.Close();
  // A record that ends inside the group: the presets, then the first
  // failure stops the reading.
  RecordFileBuilder builder("GPAR");
  std::vector<uint8_t> shortRecord(record.begin(), record.begin() + 58);
  builder.Add("GPAR", shortRecord);
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, builder.Build()));
  ASSERT_EQ(settings.OpenOrCreate(Wide(kPath), true), RecordResult::kOk);
  w56 = w60 = w80 = 77;
  EXPECT_EQ(settings.GetLayoutGroup(&b29, &b30, &w8, &w56, &w60, &w80, &w84, &w88), RecordResult::kFailed);
  EXPECT_EQ(w8, 8u);
  EXPECT_EQ(w56, 0u);
  EXPECT_EQ(w60, 1u);
  EXPECT_EQ(b29, 1);
  EXPECT_EQ(w80, 77u);
}

TEST_F(GlobalSettingsFieldsTest, ButtonActionsAreTwelveBytesInTwoRuns) {
  for (uint32_t button = 0; button < 12; ++button)
    ASSERT_EQ(settings.SetButtonAction(button, static_cast<uint8_t>(100 + button)), RecordResult::kOk);
  uint8_t action = 7;
  EXPECT_EQ(settings.GetButtonAction(12, &action), RecordResult::kFailed);
  EXPECT_EQ(settings.SetButtonAction(12, 1), RecordResult::kFailed);
  EXPECT_EQ(action, 7);
  ASSERT_EQ(settings.GetButtonAction(5, &action), RecordResult::kOk);
  EXPECT_EQ(action, 105);
  auto record = SavedRecord();
  for (uint32_t i = 0; i < 4; ++i) EXPECT_EQ(record[259 + i], 100 + i);
  for (uint32_t i = 4; i < 12; ++i) EXPECT_EQ(record[284 + i - 4], 100 + i);
  EXPECT_EQ(record[263], 1);
}

TEST_F(GlobalSettingsFieldsTest, SlotsHoldAWordAnd32Bytes) {
  std::vector<uint8_t> raw(32);
  for (size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<uint8_t>(0xA0 + i);
  ASSERT_EQ(settings.SetSlot36(3, 0x12345678, raw.data()), RecordResult::kOk);
  EXPECT_EQ(settings.SetSlot36(4, 1, raw.data()), RecordResult::kFailed);
  uint32_t word = 0;
  std::vector<uint8_t> back(32);
  ASSERT_EQ(settings.GetSlot36(3, &word, back.data()), RecordResult::kOk);
  EXPECT_EQ(word, 0x12345678u);
  EXPECT_EQ(back, raw);
  auto record = SavedRecord();
  EXPECT_EQ(WordAt(record, 216), 0x12345678u);
  EXPECT_EQ(std::vector<uint8_t>(record.begin() + 220, record.begin() + 252), raw);
}

TEST_F(GlobalSettingsFieldsTest, TextsAreLinkedAndTakenAsUtf16) {
  auto tahoma = testbuild::Utf16Native(u"Tahoma");
  ASSERT_EQ(settings.SetMainFontName(tahoma.data(), static_cast<uint32_t>(tahoma.size())), RecordResult::kOk);
  ASSERT_EQ(settings.SetWideText52(u"oeb:library", 11), RecordResult::kOk);
  EncodedString text;
  ASSERT_EQ(settings.ReadTextSetting(&GlobalSettingsFile::GetMainFontName, &text), RecordResult::kOk);
  EXPECT_EQ(text.CodePage(), 65002);
  EXPECT_EQ(TextOf(text), u"Tahoma");
  EXPECT_EQ(settings.ReadTextSetting(&GlobalSettingsFile::GetAltFontName, &text), RecordResult::kFailed);
  EXPECT_EQ(settings.ReadTextSetting(&GlobalSettingsFile::GetText100, &text), RecordResult::kFailed);
  uint32_t count = 0;
  const WCHAR* location = settings.GetWideText52(&count);
  ASSERT_TRUE(location);
  EXPECT_EQ(std::u16string(location, count), u"oeb:library");
  auto view = Saved();
  const auto* font = view.ById(WordAt(view.records[0].data, 36));
  ASSERT_TRUE(font);
  EXPECT_EQ(font->data, tahoma);  // the caller's bytes as they were
  const auto* wide = view.ById(WordAt(view.records[0].data, 52));
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->data, testbuild::Utf16BE(u"oeb:library"));  // big-endian
  ASSERT_EQ(settings.SetMainFontName(nullptr, 0), RecordResult::kOk);
  EXPECT_EQ(WordAt(SavedRecord(), 36), kNone);
  EXPECT_EQ(Saved().records.size(), 2u);
}

TEST_F(GlobalSettingsFieldsTest, Text252FallsBackToTheEarlierTextPercentEncoded) {
  EncodedString text;
  EXPECT_EQ(settings.GetText252(&text), RecordResult::kFailed);
  settings.Close();
  // Only an older version wrote the text at 40.
  RecordFileBuilder builder("GPAR");
  std::vector<uint8_t> record(312, 0);
  testbuild::PutU32BE(record, 40, 0x31);
  testbuild::PutU32BE(record, 252, kNone);
  builder.Add("GPAR", record, 0x30);
  builder.Add("DATA", testbuild::Utf16Native(u"\\Storage Card\\drug data.prc"), 0x31);
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, builder.Build()));
  ASSERT_EQ(settings.OpenOrCreate(Wide(kPath), false), RecordResult::kOk);
  ASSERT_EQ(settings.GetText252(&text), RecordResult::kOk);
  EXPECT_EQ(TextOf(text), u"%5CStorage%20Card%5Cdrug%20data.prc");
  auto path = testbuild::Utf16Native(u"\\interactions.prc");
  ASSERT_EQ(settings.SetText252(path.data(), static_cast<uint32_t>(path.size())), RecordResult::kOk);
  ASSERT_EQ(settings.GetText252(&text), RecordResult::kOk);
  EXPECT_EQ(TextOf(text), u"\\interactions.prc");
  uint32_t length = 0;
  EXPECT_TRUE(settings.GetText40(&length));
}

TEST(GlobalSettingsUpgrade, OldRecordsAreCompletedFieldByField) {
  // The upgrade column: each field from 64 on with the value it gets and
  // the largest old length that receives it.
  struct Field {
    uint32_t offset;
    uint32_t width;
    uint32_t value;
    uint32_t atMost;
  };
  std::vector<Field> fields = {
      {64, 4, kNone, 64},      {68, 1, 0, 68},         {69, 1, 0, 68},         {70, 1, 0, 68},
      {71, 1, 0, 68},          {72, 4, 0xFFFF0000, 72}, {76, 4, 0xFF000000, 76}, {80, 4, 0, 100},
      {84, 4, 0, 100},         {88, 4, 0, 100},        {92, 4, 0, 100},        {96, 4, 0x20084F, 100},
      {100, 4, kNone, 100},    {104, 4, 0, 104},       {252, 4, kNone, 252},   {256, 1, 1, 256},
      {257, 1, 1, 256},        {258, 1, 1, 256},       {259, 1, 255, 256},     {260, 1, 255, 256},
      {261, 1, 255, 256},      {262, 1, 255, 256},     {263, 1, 1, 256},       {264, 4, 15, 256},
      {268, 4, 1, 256},        {272, 4, 1, 256},       {276, 4, 0, 256},       {280, 4, 0, 256},
      {284, 1, 255, 256},      {285, 1, 255, 256},     {286, 1, 255, 256},     {287, 1, 255, 256},
      {288, 1, 255, 288},      {289, 1, 255, 288},     {290, 1, 255, 288},     {291, 1, 255, 288},
      {292, 4, 0, 292},        {296, 4, 0, 296},       {300, 4, 0, 300},       {304, 4, 0, 304},
      {308, 4, 1, 308},
  };
  for (uint32_t offset = 108; offset < 252; offset += 4) fields.push_back({offset, 4, 0, 108});
  auto read = [](const std::vector<uint8_t>& data, const Field& f) {
    return f.width == 1 ? data.at(f.offset) : WordAt(data, f.offset);
  };
  // Known lengths, and lengths between them whose missing fields are
  // filled as well.
  for (uint32_t oldLength : {64u, 68u, 72u, 76u, 88u, 100u, 104u, 108u, 200u, 252u, 256u, 260u, 288u, 292u, 296u,
                             300u, 304u, 308u}) {
    SCOPED_TRACE(oldLength);
    std::vector<uint8_t> old(oldLength);
    for (uint32_t i = 0; i < oldLength; ++i) old[i] = static_cast<uint8_t>(0x5A ^ i);
    RecordFileBuilder builder("GPAR");
    builder.Add("GPAR", old);
    builder.Add("CATE", testbuild::Utf16BE(u"Kept"));
    ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, builder.Build()));
    {
      GlobalSettingsFile settings;
      ASSERT_EQ(settings.OpenOrCreate(Wide(kPath), false), RecordResult::kOk);
      EXPECT_FALSE(settings.Upgrade());  // done already
    }
    auto view = testbuild::ReadTaggedDeviceFile(kPath).value();
    ASSERT_EQ(view.records.size(), 2u);
    const auto& record = view.records[0];
    ASSERT_EQ(record.storedLength, 312u);
    ASSERT_EQ(record.recordSize, 320u);
    for (uint32_t i = 0; i < 64; ++i) EXPECT_EQ(record.data[i], old[i]) << i;
    for (const auto& f : fields) {
      SCOPED_TRACE(f.offset);
      bool filled = oldLength <= f.atMost || f.offset + f.width > oldLength;
      std::vector<uint8_t> oldBytes(old.begin() + std::min(f.offset, oldLength),
                                    old.begin() + std::min(f.offset + f.width, oldLength));
      if (filled) {
        EXPECT_EQ(read(record.data, f), f.value);
      } else {
        EXPECT_EQ(std::vector<uint8_t>(record.data.begin() + f.offset, record.data.begin() + f.offset + f.width),
                  oldBytes);
      }
    }
    EXPECT_EQ(view.records[1].tag, "CATE");
  }
}

TEST_F(GlobalSettingsFieldsTest, CategoriesKeepTheOrderTheyWereAddedIn) {
  EXPECT_EQ(settings.FirstCategory(), kNone);
  EXPECT_EQ(settings.CountCategories(), 0u);
  uint32_t novels = settings.AddCategory(u"Novels", 6);
  uint32_t history = settings.AddCategory(u"History", 7);
  ASSERT_EQ(settings.SetMainFontName("F\0o\0", 4), RecordResult::kOk);  // a "DATA" record behind the header
  uint32_t poems = settings.AddCategory(u"Poems", 5);
  ASSERT_NE(novels, kNone);
  EXPECT_EQ(settings.AddCategory(u"", 0), kNone);
  EXPECT_EQ(settings.FirstCategory(), novels);
  EXPECT_EQ(settings.NextCategory(), history);
  EXPECT_EQ(settings.NextCategory(), poems);
  EXPECT_EQ(settings.NextCategory(), kNone);
  EXPECT_EQ(settings.CountCategories(), 3u);
  EXPECT_EQ(settings.FindCategory(u"History", 7), history);
  EXPECT_EQ(settings.FindCategory(u"history", 7), kNone);
  EXPECT_EQ(settings.FindCategory(u"Hist", 4), kNone);
  ASSERT_EQ(settings.RenameCategory(history, u"Histories", 9), RecordResult::kOk);
  uint32_t count = 0;
  const WCHAR* name = settings.GetCategoryName(history, &count);
  ASSERT_TRUE(name);
  EXPECT_EQ(std::u16string(name, count), u"Histories");
  ASSERT_EQ(settings.DeleteCategory(novels), RecordResult::kOk);
  EXPECT_EQ(settings.DeleteCategory(novels), RecordResult::kFailed);
  EXPECT_EQ(settings.DeleteCategory(kHeaderRecordId), RecordResult::kFailed);
  auto view = Saved();
  std::vector<std::string> tags = {"GPAR", "DATA", "CATE", "CATE"};
  EXPECT_EQ(view.Tags(), tags);
  EXPECT_EQ(testbuild::FromUtf16BE(view.records[2].data), u"Histories");
  EXPECT_EQ(testbuild::FromUtf16BE(view.records[3].data), u"Poems");
}

// Searching the categories by name takes work in proportion to the file,
// not to its square: a file of tens of thousands of "CATE" records (half a
// megabyte) must not freeze the library. The work is counted as the record
// entries the container is asked to visit, a linear search by unique
// identifier counting every record it passes.
namespace {

// Passes every call to the real container and counts the entries visited.
class CountingDatabase : public PalmDatabase {
 public:
  explicit CountingDatabase(PalmDatabase* inner) : inner_(inner) {}
  ~CountingDatabase() override {
    inner_->Discard();
    delete inner_;
  }
  uint64_t visits = 0;

  RecordBuffer* LockRecord(uint16_t index, bool writable) override {
    ++visits;
    return inner_->LockRecord(index, writable);
  }
  RecordBuffer* LockRecordDefault(uint16_t index) override {
    ++visits;
    return inner_->LockRecordDefault(index);
  }
  void ReleaseRecord(RecordBuffer* buffer, bool dirty) override { inner_->ReleaseRecord(buffer, dirty); }
  bool GetRecordSize(uint16_t index, uint32_t* size) override {
    ++visits;
    return inner_->GetRecordSize(index, size);
  }
  bool GetRecordInfo(uint16_t index, uint8_t* attributes, uint32_t* uniqueId) override {
    ++visits;
    return inner_->GetRecordInfo(index, attributes, uniqueId);
  }
  bool BinarySearchRecords(RecordKeyCompare compare, void* context, const void* key, uint16_t* index) override {
    visits += inner_->GetRecordCount();
    return inner_->BinarySearchRecords(compare, context, key, index);
  }
  bool FindByUniqueId(uint32_t uniqueId, uint16_t* index) override {
    visits += inner_->GetRecordCount();
    return inner_->FindByUniqueId(uniqueId, index);
  }
  bool IsStreamBacked() const override { return inner_->IsStreamBacked(); }
  bool IsSlowStore() const override { return inner_->IsSlowStore(); }
  uint16_t GetRecordCount() const override { return inner_->GetRecordCount(); }
  void Discard() override { inner_->Discard(); }

 private:
  PalmDatabase* inner_;
};

class CountedSettings : public GlobalSettingsFile {
 public:
  CountingDatabase* Count() {
    auto* counting = new CountingDatabase(Database());
    AttachDatabase(counting);
    SetNoSave(true);
    return counting;
  }
};

TEST(SettingsCategorySearch, WorkGrowsWithTheFileNotItsSquare) {
  constexpr uint32_t kCategories = 3000;
  testbuild::RecordFileBuilder builder("GPAR");
  uint8_t record[settings::kRecordLength];
  settings::BuildNewSettingsRecord(record);
  builder.Add("GPAR", std::vector<uint8_t>(record, record + sizeof record));
  for (uint32_t i = 0; i < kCategories; ++i) builder.Add("CATE", testbuild::Utf16BE(u"Novels"));
  builder.Add("CATE", testbuild::Utf16BE(u"Poetry"));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\g.qvr", builder.Build()));

  CountedSettings file;
  EncodedString path;
  path.FromWide(u"\\g.qvr");
  ASSERT_EQ(file.OpenOrCreate(path, false), RecordResult::kOk);
  CountingDatabase* counting = file.Count();

  const uint32_t found = file.FindCategory(u"Poetry", 6);
  EXPECT_NE(found, kNoRecordId);
  uint32_t length = 0;
  const WCHAR* name = file.GetCategoryName(found, &length);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(std::u16string(name, length), u"Poetry");
  EXPECT_EQ(file.FindCategory(u"Poems", 5), kNoRecordId);
  EXPECT_EQ(file.FindCategory(u"Novel", 5), kNoRecordId);
  // Three searches over 3,002 records, and one look-up by identifier.
  EXPECT_LT(counting->visits, 20u * kCategories);
}

}  // namespace
