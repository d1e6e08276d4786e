// Searching the settings file's categories by name takes work in proportion
// to the file, not to its square: a file of tens of thousands of "CATE"
// records (half a megabyte) must not freeze the library. The work is
// counted as the record entries the container is asked to visit, a linear
// search by unique identifier counting every record it passes.
#include <gtest/gtest.h>

#include "storage/settings/global_settings_file.h"
#include "storage/settings/settings_record_layout.h"
#include "tests/support/record_file_builder.h"

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
