// The tagged record layer: record placement, sizes and filler, typed and
// linked fields with their failures, the cursor, growing records for
// upgrades (the new length is always written when growth is reported),
// deletion, and a file open read-only refusing every change.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "platform/testing/allocation.h"
#include "storage/container/stream_factory.h"
#include "storage/records/tagged_record_file.h"
#include "tests/support/record_file_builder.h"

using testbuild::RecordFileBuilder;
using testbuild::TaggedRecord;
using testbuild::Words;

namespace {

constexpr const char16_t* kPath = u"\\data.qvr";
constexpr uint32_t kTest = RecordTag("TEST");
constexpr uint32_t kData = RecordTag("DATA");
constexpr uint32_t kOther = RecordTag("OTHR");

// The smallest concrete file: opens any container, upgrades nothing.
class PlainRecordFile : public TaggedRecordFile {
 public:
  RecordResult OpenInDataFolder(SettingsEnvironment*, bool) override { return RecordResult::kFailed; }
  RecordResult Open(const EncodedString& path, bool readOnly) override {
    Close();
    EncodedString wide(path);
    PalmDatabase* database =
        OpenRecordDatabase(wide.CStr(), readOnly ? 41 : 15, RecordTag("CORV"), RecordTag("TEST"), nullptr);
    if (!database) return RecordResult::kFailed;
    AttachDatabase(database);
    SetNoSave(readOnly);
    return RecordResult::kOk;
  }
  bool Upgrade() override { return false; }
};

// Opens through the shared "set a foreign file aside" open, with "TEST" as
// the header tag.
class ReplacingRecordFile : public PlainRecordFile {
 public:
  RecordResult Open(const EncodedString& path, bool) override {
    Close();
    EncodedString wide(path);
    return OpenReplacingForeign(wide.CStr(), 15, RecordTag("CORV"), RecordTag("TEST"), kTest, &fresh);
  }
  bool fresh = false;
};

class TaggedRecordFileTest : public ::testing::Test {
 protected:
  // Opens kPath after writing `file` there (nothing written when empty).
  void OpenWith(const std::vector<uint8_t>& file, bool readOnly = false) {
    if (!file.empty()) {
      ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, file));
    }
    EncodedString path;
    path.FromWide(kPath);
    ASSERT_EQ(records.Open(path, readOnly), RecordResult::kOk);
  }
  testbuild::TaggedFileView Saved() {
    EXPECT_TRUE(records.Save());
    auto view = testbuild::ReadTaggedDeviceFile(kPath);
    EXPECT_TRUE(view);
    return view.value_or(testbuild::TaggedFileView{});
  }
  uint32_t RecordSize(uint16_t index) {
    uint32_t size = 0;
    EXPECT_TRUE(records.Database()->GetRecordSize(index, &size));
    return size;
  }

  PlainRecordFile records;
};

// A file with a header record "TEST" of 12 bytes (three words) at id 0x200
// and a record "OTHR" of 8 bytes at id 0x300.
std::vector<uint8_t> SmallFile() {
  RecordFileBuilder builder("TEST");
  builder.Add("TEST", Words({0x11111111, 0x22222222, 0x33333333}), 0x200);
  builder.Add("OTHR", Words({1, 2}), 0x300);
  return builder.Build();
}

}  // namespace

TEST_F(TaggedRecordFileTest, NewRecordsGoToIndexZeroInAnEmptyFileAndBehindTheHeaderOtherwise) {
  OpenWith({});
  uint32_t first = kNoRecordId;
  ASSERT_EQ(records.WriteRecordData(&first, "abcd", 4, kData, kInsertBehindHeader), RecordResult::kOk);
  uint32_t second = kNoRecordId;
  ASSERT_EQ(records.WriteRecordData(&second, "efgh", 4, kData, kInsertBehindHeader), RecordResult::kOk);
  uint32_t third = kNoRecordId;
  ASSERT_EQ(records.WriteRecordData(&third, "ijkl", 4, kData, kInsertBehindHeader), RecordResult::kOk);
  EXPECT_NE(first, second);
  auto view = Saved();
  ASSERT_EQ(view.records.size(), 3u);
  EXPECT_EQ(view.records[0].uniqueId, first);
  EXPECT_EQ(view.records[1].uniqueId, third);
  EXPECT_EQ(view.records[2].uniqueId, second);
}

TEST_F(TaggedRecordFileTest, TheHeaderIdentifierCreatesTheHeaderRecordOfAnEmptyFile) {
  OpenWith({});
  uint32_t id = kHeaderRecordId;
  ASSERT_EQ(records.WriteRecordData(&id, "head", 4, kTest, kInsertBehindHeader), RecordResult::kOk);
  EXPECT_EQ(id, kHeaderRecordId);
  uint32_t value = 0;
  ASSERT_EQ(records.GetInt32(kHeaderRecordId, 0, &value, kTest), RecordResult::kOk);
  EXPECT_EQ(value, 0x68656164u);
  // Rewriting it keeps it at index 0 under its own identifier.
  ASSERT_EQ(records.WriteRecordData(&id, "longer head", 11, kTest, kInsertBehindHeader), RecordResult::kOk);
  auto view = Saved();
  ASSERT_EQ(view.records.size(), 1u);
  EXPECT_EQ(std::string(view.records[0].data.begin(), view.records[0].data.end()), "longer head");
  // Of another tag, the header is not rewritten.
  EXPECT_EQ(records.WriteRecordData(&id, "x", 1, kOther, kInsertBehindHeader), RecordResult::kFailed);
}

TEST_F(TaggedRecordFileTest, RecordSizesRoundUpToFourWithZeroFiller) {
  OpenWith({});
  struct Case {
    uint32_t length;
    uint32_t size;
  } cases[] = {{1, 12}, {4, 12}, {5, 16}, {8, 16}, {9, 20}};
  std::vector<uint32_t> ids;
  for (const auto& c : cases) {
    std::vector<uint8_t> bytes(c.length, 0xAB);
    uint32_t id = kNoRecordId;
    ASSERT_EQ(records.WriteRecordData(&id, bytes.data(), c.length, kData, 0), RecordResult::kOk);
    ids.push_back(id);
  }
  auto view = Saved();
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].length);
    const auto* record = view.ById(ids[i]);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->recordSize, cases[i].size);
    EXPECT_EQ(record->storedLength, cases[i].length);
  }
  // The filler is zero: the whole record of length 5.
  auto bytes = testbuild::PeekDeviceFile(kPath).value();
  auto parsed = testbuild::ParsePalmDatabase(bytes).value();
  for (const auto& r : parsed.records)
    if (r.uniqueId == ids[2]) {
      EXPECT_EQ(r.data, TaggedRecord("DATA", std::vector<uint8_t>(5, 0xAB)));
    }
}

TEST_F(TaggedRecordFileTest, FieldsThatCannotBeReadFailAndLeaveThePreset) {
  RecordFileBuilder builder("TEST");
  builder.Add("TEST", Words({7, 8, 9}), 0x200);
  // Stored length 20 but only 12 bytes of data in the record: unreadable.
  builder.AddRaw(TaggedRecord("TEST", Words({1, 2, 3}), 20u), 0x300);
  builder.AddRaw({'T', 'E', 'S'}, 0x400);  // shorter than a head
  OpenWith(builder.Build());
  struct Case {
    const char* what;
    uint32_t id;
    uint32_t offset;
    uint32_t tag;
  } cases[] = {
      {"past the stored length", kHeaderRecordId, 12, kTest},
      {"straddling the end", kHeaderRecordId, 10, kTest},
      {"offset that wraps", kHeaderRecordId, 0xFFFFFFFE, kTest},
      {"another tag", 0x200, 0, kOther},
      {"no such record", 0x999, 0, kTest},
      {"no record", kNoRecordId, 0, kTest},
      {"identifier beyond 24 bits", 0x01000200, 0, kTest},
      {"length beyond the record", 0x300, 0, kTest},
      {"record shorter than a head", 0x400, 0, kTest},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    uint32_t value = 0xDEADBEEF;
    EXPECT_EQ(records.GetInt32(c.id, c.offset, &value, c.tag), RecordResult::kFailed);
    EXPECT_EQ(value, 0xDEADBEEFu);
    EXPECT_EQ(records.SetInt32(c.id, c.offset, 5, c.tag), RecordResult::kFailed);
  }
  uint32_t value = 0;
  EXPECT_EQ(records.GetInt32(0x200, 8, &value, kTest), RecordResult::kOk);
  EXPECT_EQ(value, 9u);
  uint32_t length = 99;
  EXPECT_EQ(records.LockRecordById(0x300, &length, kTest), nullptr);
  EXPECT_EQ(length, 0u);
  records.Close();
  EXPECT_EQ(records.GetInt32(kHeaderRecordId, 0, &value, kTest), RecordResult::kFailed);
}

TEST_F(TaggedRecordFileTest, TypedFieldsAreBigEndianAtTheirOffsets) {
  OpenWith(SmallFile());
  ASSERT_EQ(records.SetInt32(0x200, 0, 0x01020304, kTest), RecordResult::kOk);
  ASSERT_EQ(records.SetInt16(0x200, 4, 0x0506, kTest), RecordResult::kOk);
  ASSERT_EQ(records.SetByte(0x200, 6, 0x07, kTest), RecordResult::kOk);
  uint16_t half = 0;
  uint8_t byte = 0;
  EXPECT_EQ(records.GetInt16(0x200, 4, &half, kTest), RecordResult::kOk);
  EXPECT_EQ(records.GetByte(0x200, 7, &byte, kTest), RecordResult::kOk);
  EXPECT_EQ(half, 0x0506);
  EXPECT_EQ(byte, 0x22);
  auto view = Saved();
  EXPECT_EQ(view.records[0].data, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 0x22, 0x33, 0x33, 0x33, 0x33}));

  RecordFileBuilder wide("TEST");
  wide.Add("TEST", std::vector<uint8_t>(40, 0));
  std::vector<uint8_t> raw(32);
  for (size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<uint8_t>(i);
  records.Close();
  OpenWith(wide.Build());
  EXPECT_EQ(records.SetBytes32(kHeaderRecordId, 9, raw.data(), kTest), RecordResult::kFailed);  // 9 + 32 > 40
  ASSERT_EQ(records.SetBytes32(kHeaderRecordId, 8, raw.data(), kTest), RecordResult::kOk);
  std::vector<uint8_t> back(32);
  ASSERT_EQ(records.GetBytes32(kHeaderRecordId, 8, back.data(), kTest), RecordResult::kOk);
  EXPECT_EQ(back, raw);
}

TEST_F(TaggedRecordFileTest, GettersKeepTheirRecordHeldAndSettersGiveItBack) {
  OpenWith(SmallFile());
  uint32_t value = 0;
  ASSERT_EQ(records.GetInt32(kHeaderRecordId, 0, &value, kTest), RecordResult::kOk);
  EXPECT_TRUE(records.CursorHeldForReading());
  EXPECT_EQ(records.CursorId(), 0x200u);
  // Further getters on the held record lock nothing new.
  long before = devtest::AllocationCount();
  for (uint32_t offset : {0u, 4u, 8u}) ASSERT_EQ(records.GetInt32(kHeaderRecordId, offset, &value, kTest), RecordResult::kOk);
  ASSERT_EQ(records.GetInt32(0x200, 4, &value, kTest), RecordResult::kOk);
  EXPECT_EQ(devtest::AllocationCount(), before);
  EXPECT_EQ(value, 0x22222222u);
  ASSERT_EQ(records.SetInt32(kHeaderRecordId, 4, 42, kTest), RecordResult::kOk);
  EXPECT_FALSE(records.CursorHeldForReading());
  EXPECT_EQ(records.CursorId(), kNoRecordId);
  ASSERT_EQ(records.GetInt32(kHeaderRecordId, 4, &value, kTest), RecordResult::kOk);
  EXPECT_EQ(value, 42u);
}

TEST_F(TaggedRecordFileTest, LinkedTextsAreWrittenReplacedAndDeletedWithAnEmptyText) {
  OpenWith(SmallFile());
  const std::u16string text = u"Chapter \u00e9t\u00e9";
  ASSERT_EQ(records.SetLinkedWideString(kHeaderRecordId, 4, kTest, text.data(), static_cast<uint32_t>(text.size()), kData),
            RecordResult::kOk);
  uint32_t link = 0;
  ASSERT_EQ(records.GetInt32(kHeaderRecordId, 4, &link, kTest), RecordResult::kOk);
  ASSERT_NE(link, kNoRecordId);
  uint32_t count = 0;
  const WCHAR* back = records.GetLinkedWideString(kHeaderRecordId, 4, kTest, &count, kData);
  ASSERT_TRUE(back);
  EXPECT_EQ(std::u16string(back, count), text);
  auto view = Saved();
  ASSERT_TRUE(view.ById(link));
  EXPECT_EQ(view.ById(link)->data, testbuild::Utf16BE(text));
  EXPECT_EQ(view.records[1].uniqueId, link);  // behind the header

  // A shorter text rewrites the same record.
  ASSERT_EQ(records.SetLinkedWideString(kHeaderRecordId, 4, kTest, u"ab", 2, kData), RecordResult::kOk);
  uint32_t again = 0;
  records.GetInt32(kHeaderRecordId, 4, &again, kTest);
  EXPECT_EQ(again, link);

  // Length 0 deletes the record and stores -1.
  ASSERT_EQ(records.SetLinkedWideString(kHeaderRecordId, 4, kTest, u"", 0, kData), RecordResult::kOk);
  ASSERT_EQ(records.GetInt32(kHeaderRecordId, 4, &again, kTest), RecordResult::kOk);
  EXPECT_EQ(again, kNoRecordId);
  view = Saved();
  EXPECT_FALSE(view.ById(link));
  EXPECT_EQ(view.records.size(), 2u);
  EXPECT_EQ(records.GetLinkedWideString(kHeaderRecordId, 4, kTest, &count, kData), nullptr);

  // Narrow texts and blobs the same way.
  ASSERT_EQ(records.SetLinkedString(kHeaderRecordId, 8, kTest, "narrow", 6, kData), RecordResult::kOk);
  uint32_t length = 0;
  const uint8_t* narrow = records.GetLinkedData(kHeaderRecordId, 8, kTest, &length, kData);
  ASSERT_TRUE(narrow);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(narrow), length), "narrow");
  ASSERT_EQ(records.SetLinkedString(kHeaderRecordId, 8, kTest, nullptr, 0, kData), RecordResult::kOk);
  EXPECT_EQ(records.GetLinkedData(kHeaderRecordId, 8, kTest, &length, kData), nullptr);
  EXPECT_EQ(Saved().records.size(), 2u);
}

TEST_F(TaggedRecordFileTest, BlobsAreTheWholeStreamFromItsStart) {
  OpenWith(SmallFile());
  ByteStream stream;
  const uint32_t words[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  ASSERT_TRUE(stream.WriteU32BE(words, 12));  // 48 bytes: more than one block
  stream.readPos = 40;
  ASSERT_EQ(records.SetLinkedBlob(kHeaderRecordId, 0, kTest, stream, kData), RecordResult::kOk);
  uint32_t length = 0;
  const uint8_t* data = records.GetLinkedData(kHeaderRecordId, 0, kTest, &length, kData);
  ASSERT_TRUE(data);
  ASSERT_EQ(length, 48u);
  EXPECT_EQ(LoadU32BE(data), 1u);
  EXPECT_EQ(LoadU32BE(data + 44), 12u);
  ByteStream empty;
  ASSERT_EQ(records.SetLinkedBlob(kHeaderRecordId, 0, kTest, empty, kData), RecordResult::kOk);
  uint32_t link = 0;
  records.GetInt32(kHeaderRecordId, 0, &link, kTest);
  EXPECT_EQ(link, kNoRecordId);
}

TEST_F(TaggedRecordFileTest, ADamagedLinkIsReplacedWithoutTouchingTheRecordItNamed) {
  RecordFileBuilder builder("TEST");
  // Word 0 links to a record that does not exist; word 4 to the "OTHR"
  // record; word 8 to a record beyond 24 bits.
  builder.Add("TEST", Words({0x777, 0x300, 0x01000300}), 0x200);
  builder.Add("OTHR", Words({1, 2}), 0x300);
  OpenWith(builder.Build());
  for (uint32_t offset : {0u, 4u, 8u}) {
    SCOPED_TRACE(offset);
    ASSERT_EQ(records.SetLinkedString(kHeaderRecordId, offset, kTest, "new", 3, kData), RecordResult::kOk);
    uint32_t link = 0;
    records.GetInt32(kHeaderRecordId, offset, &link, kTest);
    EXPECT_NE(link, 0x300u);
    uint32_t length = 0;
    ASSERT_TRUE(records.GetLinkedData(kHeaderRecordId, offset, kTest, &length, kData));
    EXPECT_EQ(length, 3u);
  }
  auto view = Saved();
  ASSERT_TRUE(view.ById(0x300));
  EXPECT_EQ(view.ById(0x300)->data, Words({1, 2}));
  // Emptying a damaged link only clears it.
  records.Close();
  OpenWith(builder.Build());
  ASSERT_EQ(records.SetLinkedString(kHeaderRecordId, 4, kTest, nullptr, 0, kData), RecordResult::kOk);
  uint32_t link = 0;
  records.GetInt32(kHeaderRecordId, 4, &link, kTest);
  EXPECT_EQ(link, kNoRecordId);
  EXPECT_TRUE(Saved().ById(0x300));
}

TEST_F(TaggedRecordFileTest, ALinkedSetterOnAnUnreadableFieldWritesNothing) {
  OpenWith(SmallFile());
  EXPECT_EQ(records.SetLinkedString(kHeaderRecordId, 12, kTest, "text", 4, kData), RecordResult::kFailed);
  EXPECT_EQ(records.SetLinkedString(0x300, 0, kTest, "text", 4, kData), RecordResult::kFailed);
  EXPECT_EQ(records.Database()->GetRecordCount(), 2);
}

TEST_F(TaggedRecordFileTest, DeletingNothingSucceedsAndAnotherTagIsNeverDeleted) {
  OpenWith(SmallFile());
  EXPECT_EQ(records.DeleteRecord(kNoRecordId, kData), RecordResult::kOk);
  EXPECT_EQ(records.DeleteRecord(0x300, kData), RecordResult::kFailed);
  EXPECT_EQ(records.DeleteRecord(0x999, kOther), RecordResult::kFailed);
  EXPECT_EQ(records.Database()->GetRecordCount(), 2);
  EXPECT_EQ(records.DeleteRecord(0x300, kOther), RecordResult::kOk);
  EXPECT_EQ(records.Database()->GetRecordCount(), 1);
  uint32_t id = kHeaderRecordId;
  EXPECT_EQ(records.WriteRecord(&id, 0, kTest, kInsertBehindHeader), RecordResult::kOk);
  EXPECT_EQ(id, kNoRecordId);
  EXPECT_EQ(records.Database()->GetRecordCount(), 0);
}

TEST_F(TaggedRecordFileTest, WideRecordsSwapToNativeOrderAndShortRecordsHaveNoCharacters) {
  RecordFileBuilder builder("TEST");
  builder.Add("TEST", Words({0}), 0x200);
  builder.Add("DATA", {0x00, 0x41, 0x20, 0xAC, 0x7F}, 0x300);  // "A€" and an odd byte
  builder.Add("DATA", {0x41}, 0x400);
  OpenWith(builder.Build());
  uint32_t count = 99;
  const WCHAR* text = records.ReadWideRecord(0x300, &count, kData);
  ASSERT_TRUE(text);
  EXPECT_EQ(std::u16string(text, count), u"A\u20ac");
  text = records.ReadWideRecord(0x400, &count, kData);
  EXPECT_TRUE(text);
  EXPECT_EQ(count, 0u);
  // Without memory for the copy the read fails.
  devtest::AllocationFailure failure(2);  // the lock's buffer, then the copy
  EXPECT_EQ(records.ReadWideRecord(0x300, &count, kData), nullptr);
  EXPECT_EQ(count, 0u);
}

TEST_F(TaggedRecordFileTest, GrowRecordEnlargesZeroFillsAndReportsTheOldLength) {
  RecordFileBuilder builder("TEST");
  builder.Add("TEST", Words({5, 6}), 0x200);
  builder.AddRaw(TaggedRecord("TEST", Words({1}), 40u), 0x300);  // claims more than it holds
  builder.Add("OTHR", Words({1}), 0x400);
  OpenWith(builder.Build());
  uint32_t old = 0, tag = 0;
  ASSERT_TRUE(records.GrowRecord(0, 20, &old, &tag, kTest));
  EXPECT_EQ(old, 8u);
  EXPECT_EQ(tag, kTest);
  EXPECT_EQ(RecordSize(0), 28u);
  uint32_t value = 1;
  ASSERT_EQ(records.GetInt32(kHeaderRecordId, 16, &value, kTest), RecordResult::kOk);
  EXPECT_EQ(value, 0u);
  ASSERT_EQ(records.GetInt32(kHeaderRecordId, 4, &value, kTest), RecordResult::kOk);
  EXPECT_EQ(value, 6u);
  // Not shorter, another tag, a record that does not hold its length.
  EXPECT_FALSE(records.GrowRecord(0, 20, &old, &tag, kTest));
  EXPECT_EQ(old, 20u);
  EXPECT_FALSE(records.GrowRecord(2, 20, &old, &tag, kTest));
  EXPECT_EQ(tag, kOther);
  EXPECT_FALSE(records.GrowRecord(1, 60, &old, &tag, kTest));
  EXPECT_FALSE(records.GrowRecord(7, 60, &old, &tag, kTest));
}

TEST_F(TaggedRecordFileTest, GrowRecordNeverReportsAGrowthWhoseLengthWasNotWritten) {
  RecordFileBuilder builder("TEST");
  builder.Add("TEST", Words({5, 6}), 0x200);
  auto file = builder.Build();
  bool sawResizedButRefused = false;
  for (long n = 1;; ++n) {
    SCOPED_TRACE(n);
    records.Close();
    OpenWith(file);
    bool grown = false;
    uint32_t old = 0, tag = 0;
    {
      devtest::AllocationFailure failure(n);
      grown = records.GrowRecord(0, 40, &old, &tag, kTest);
    }
    bool injected = devtest::InjectedAllocationFailures() > 0;
    devtest::ResetAllocations();
    uint32_t value = 0;
    bool fieldReadable = records.GetInt32(kHeaderRecordId, 36, &value, kTest) == RecordResult::kOk;
    EXPECT_EQ(grown, fieldReadable);
    if (!grown && RecordSize(0) == 48) sawResizedButRefused = true;
    if (!injected) {
      EXPECT_TRUE(grown);
      break;
    }
    ASSERT_LT(n, 20);
  }
  EXPECT_TRUE(sawResizedButRefused);
  records.Close();
}

TEST_F(TaggedRecordFileTest, AFileOpenReadOnlyRefusesEveryChangeAndIsNeverWritten) {
  auto file = SmallFile();
  OpenWith(file, true);
  EXPECT_TRUE(records.IsReadOnly());
  uint32_t value = 0;
  EXPECT_EQ(records.GetInt32(kHeaderRecordId, 0, &value, kTest), RecordResult::kOk);
  EXPECT_EQ(records.SetInt32(kHeaderRecordId, 0, 1, kTest), RecordResult::kFailed);
  uint32_t id = kNoRecordId;
  EXPECT_EQ(records.WriteRecordData(&id, "x", 1, kData, kInsertBehindHeader), RecordResult::kFailed);
  EXPECT_EQ(records.DeleteRecord(0x300, kOther), RecordResult::kFailed);
  uint32_t old = 0, tag = 0;
  EXPECT_FALSE(records.GrowRecord(0, 40, &old, &tag, kTest));
  EXPECT_FALSE(records.Save());
  records.Close();
  EXPECT_EQ(testbuild::PeekDeviceFile(kPath).value(), file);
}

TEST_F(TaggedRecordFileTest, WritesTooLargeForTheContainerFail) {
  OpenWith(SmallFile());
  uint32_t id = kNoRecordId;
  EXPECT_EQ(records.WriteRecord(&id, 0xFFFFFFF0u, kData, 0), RecordResult::kFailed);
  EXPECT_EQ(records.WriteWideRecord(&id, u"x", 0x80000000u, kData, 0), RecordResult::kFailed);
  EXPECT_EQ(id, kNoRecordId);
  EXPECT_EQ(records.Database()->GetRecordCount(), 2);
}

// Only a database whose record 0 is not a header of the file's tag is set
// aside (replacing an older ".bad"); a missing or empty file is simply new,
// a sound one is kept as it is.
TEST(TaggedRecordFileOpen, SetsAsideOnlyADatabaseOfAnotherKind) {
  struct Case {
    const char* what;
    std::vector<uint8_t> file;  // nothing written when empty
    bool fresh;
    bool setAside;
  };
  RecordFileBuilder own("TEST");
  own.Add("TEST", Words({1, 2}), 0x200);
  RecordFileBuilder foreign("TEST");
  foreign.Add("OTHR", Words({3}), 0x200);
  RecordFileBuilder empty("TEST");
  const Case cases[] = {
      {"missing", {}, true, false},
      {"no records", empty.Build(), true, false},
      {"own header", own.Build(), false, false},
      {"another header", foreign.Build(), true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteFileW(reinterpret_cast<const WCHAR*>(kPath));
    ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\data.qvr.bad", {0x01}));  // an older one
    if (!c.file.empty()) {
      ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, c.file));
    }
    ReplacingRecordFile records;
    EncodedString path;
    path.FromWide(kPath);
    ASSERT_EQ(records.Open(path, false), RecordResult::kOk);
    EXPECT_EQ(records.fresh, c.fresh);
    EXPECT_EQ(records.Database()->GetRecordCount(), c.fresh ? 0 : 1);
    EXPECT_FALSE(records.IsReadOnly());
    const auto bad = testbuild::ReadDeviceFile(u"\\data.qvr.bad");
    ASSERT_TRUE(bad);
    EXPECT_EQ(*bad, c.setAside ? c.file : std::vector<uint8_t>{0x01});
  }
}
