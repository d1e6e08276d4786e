// The header fields of a side file and their place in the saved bytes; the
// upgrade of headers and marks written by older versions, field by field;
// the category list and the category set.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "storage/side_file/book_parameter_file.h"
#include "storage/side_file/side_file_categories.h"
#include "tests/support/record_file_builder.h"

using testbuild::RecordFileBuilder;
using testbuild::WordAt;
using testbuild::Words;

namespace {

constexpr const char16_t* kBook = u"\\book.prc";
constexpr const char16_t* kSide = u"\\book.qvr";
constexpr uint32_t kNone = 0xFFFFFFFF;

EncodedString Wide(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

std::u16string Text(const WCHAR* chars, uint32_t count) { return chars ? std::u16string(chars, count) : u"<none>"; }

testbuild::TaggedFileView SavedView(BookParameterFile& file) {
  EXPECT_TRUE(file.Save());
  return testbuild::ReadTaggedDeviceFile(kSide).value_or(testbuild::TaggedFileView{});
}

}  // namespace

TEST(SideFileFields, HeaderFieldsLandAtTheirOffsets) {
  BookParameterFile file;
  ASSERT_EQ(file.Create(Wide(kBook), nullptr, 0, false, true, false), RecordResult::kOk);
  ByteStream frame, view, reading;
  ASSERT_TRUE(frame.WriteBytes("frame", 5));
  ASSERT_TRUE(view.WriteBytes("view state", 10));
  ASSERT_TRUE(reading.WriteBytes("audio", 5));
  ASSERT_EQ(file.SetSavedPosition(1), RecordResult::kOk);
  ASSERT_EQ(file.SetFramePosition(2, 3, frame), RecordResult::kOk);
  ASSERT_EQ(file.SetWord20(4), RecordResult::kOk);
  ASSERT_EQ(file.SetDocumentStamp(0xCAFE), RecordResult::kOk);
  ASSERT_EQ(file.SetViewStateBlob(view), RecordResult::kOk);
  ASSERT_EQ(file.SetReadingPosition(5, 6, reading), RecordResult::kOk);
  ASSERT_EQ(file.SetReadingPositionValid(true), RecordResult::kOk);
  ASSERT_EQ(file.SetWord52(7), RecordResult::kOk);
  ASSERT_EQ(file.SetWord76(8), RecordResult::kOk);
  ASSERT_EQ(file.SetWord80(9), RecordResult::kOk);
  struct TextField {
    uint32_t offset;
    const char* tag;
    RecordResult (BookParameterFile::*set)(const WCHAR*, uint32_t);
    const WCHAR* (BookParameterFile::*get)(uint32_t*);
    std::u16string text;
  } texts[] = {
      {56, "AUTH", &BookParameterFile::SetAuthor, &BookParameterFile::GetAuthor, u"An Author"},
      {60, "GENR", &BookParameterFile::SetGenre, &BookParameterFile::GetGenre, u"Fiction"},
      {64, "PUBL", &BookParameterFile::SetPublisher, &BookParameterFile::GetPublisher, u"Press"},
      {68, "ABST", &BookParameterFile::SetAbstract, &BookParameterFile::GetAbstract, u"What it is about"},
      {72, "ISBN", &BookParameterFile::SetIsbn, &BookParameterFile::GetIsbn, u"978-0"},
      {84, "COVE", &BookParameterFile::SetCover, &BookParameterFile::GetCover, u"cover.gif"},
      {88, "TITL", &BookParameterFile::SetTitle, &BookParameterFile::GetTitle, u"The Title \u2014 II"},
  };
  for (const auto& t : texts) ASSERT_EQ((file.*t.set)(t.text.data(), static_cast<uint32_t>(t.text.size())), RecordResult::kOk);

  uint32_t a = 0, b = 0, length = 0;
  const uint8_t* blob = file.GetFramePosition(&a, &b, &length);
  ASSERT_TRUE(blob);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(blob), length), "frame");
  EXPECT_EQ(a, 2u);
  EXPECT_EQ(b, 3u);
  blob = file.GetReadingPosition(&a, &b, &length);
  ASSERT_TRUE(blob);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(blob), length), "audio");
  EXPECT_EQ(a, 5u);
  EXPECT_TRUE(file.IsReadingPositionValid());
  blob = file.GetViewStateBlob(&length);
  ASSERT_TRUE(blob);
  EXPECT_EQ(length, 10u);
  EXPECT_EQ(file.GetDocumentStamp(), 0xCAFEu);

  auto saved = SavedView(file);
  const auto& header = saved.records.at(0).data;
  ASSERT_EQ(header.size(), 92u);
  const std::map<uint32_t, uint32_t> words = {{0, 1}, {4, 2},   {8, 3},  {20, 4}, {24, 0xCAFE}, {36, 5},
                                              {40, 6}, {48, 1}, {52, 7}, {76, 8}, {80, 9}};
  for (const auto& [offset, value] : words) EXPECT_EQ(WordAt(header, offset), value) << offset;
  for (const auto& t : texts) {
    SCOPED_TRACE(t.tag);
    const auto* record = saved.ById(WordAt(header, t.offset));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->tag, t.tag);
    EXPECT_EQ(testbuild::FromUtf16BE(record->data), t.text);
    uint32_t count = 0;
    const WCHAR* back = (file.*t.get)(&count);
    EXPECT_EQ(Text(back, count), t.text);
  }
  for (uint32_t link : {12u, 32u, 44u}) EXPECT_EQ(saved.ById(WordAt(header, link))->tag, "DATA");

  ASSERT_EQ(file.SetReadingPositionValid(false), RecordResult::kOk);
  EXPECT_FALSE(file.IsReadingPositionValid());
  ASSERT_EQ(file.SetAuthor(nullptr, 0), RecordResult::kOk);
  uint32_t count = 0;
  EXPECT_EQ(file.GetAuthor(&count), nullptr);
  EXPECT_EQ(WordAt(SavedView(file).records.at(0).data, 56), kNone);
}

TEST(SideFileFields, OldMarksGainTheirMissingLinksOnUpgrade) {
  RecordFileBuilder builder("BPAR");
  std::vector<uint8_t> header = Words({kNone, 0, 0, kNone, kNone, 127, kNone, 0, kNone, kNone, kNone, kNone, 0, 0,
                                       kNone, kNone, kNone, kNone, kNone, 0, 0, kNone, kNone});
  builder.Add("BPAR", header, 0x10);
  builder.Add("BKMK", Words({10, 20, 1, 2, 3, 4, kNone, kNone, kNone}), 0x11);              // 36 bytes
  builder.Add("BKMK", Words({30, 40, 1, 2, 3, 4, kNone, kNone, kNone, 0x99, 0x55}), 0x12);  // 44 bytes
  builder.Add("BKMK", Words({70, 80, 1, 2, 3, 4, 0x98}), 0x14);                            // 28 bytes
  builder.Add("BKMK", Words({50, 60, 1, 2, 3, 4, kNone, kNone, kNone, kNone, kNone, kNone, 0x77}), 0x13);
  ASSERT_TRUE(testbuild::WriteDeviceFile(kSide, builder.Build()));
  {
    BookParameterFile file;
    ASSERT_EQ(file.Open(Wide(kBook), false), RecordResult::kOk);
    // Before the upgrade the missing words read as the presets.
    EXPECT_EQ(file.GetBookmarkTarget(0x11), kNone);
    EXPECT_EQ(file.GetBookmarkTarget(0x12), 0x55u);
    EXPECT_TRUE(file.Upgrade());
    EXPECT_FALSE(file.Upgrade());
  }
  auto view = testbuild::ReadTaggedDeviceFile(kSide).value();
  EXPECT_EQ(view.ById(0x11)->data, Words({10, 20, 1, 2, 3, 4, kNone, kNone, kNone, kNone, kNone, kNone, kNone}));
  EXPECT_EQ(view.ById(0x12)->data, Words({30, 40, 1, 2, 3, 4, kNone, kNone, kNone, 0x99, 0x55, kNone, kNone}));
  EXPECT_EQ(view.ById(0x14)->data, Words({70, 80, 1, 2, 3, 4, 0x98, kNone, kNone, kNone, kNone, kNone, kNone}));
  EXPECT_EQ(view.ById(0x13)->data, Words({50, 60, 1, 2, 3, 4, kNone, kNone, kNone, kNone, kNone, kNone, 0x77}));
  EXPECT_EQ(view.ById(0x10)->data, header);
}

TEST(SideFileFields, OldHeadersAreCompletedFieldByFieldWithTheValuesOfANewFile) {
  // Each header field from 28 on: its value in a new file and the largest
  // old length that receives it.
  struct Field {
    uint32_t offset;
    uint32_t value;
    uint32_t filledAtMost;
  };
  const Field fields[] = {
      {28, 0, 28},      {32, kNone, 32}, {36, kNone, 48}, {40, kNone, 48}, {44, kNone, 48}, {48, 0, 48},
      {52, 0, 52},      {56, kNone, 56}, {60, kNone, 56}, {64, kNone, 56}, {68, kNone, 56}, {72, kNone, 56},
      {76, 0, 56},      {80, 0, 56},     {84, kNone, 84}, {88, kNone, 88},
  };
  // Lengths between the known ones: what the old record did not hold whole
  // is filled too.
  for (uint32_t oldLength : {28u, 32u, 36u, 44u, 48u, 52u, 56u, 60u, 70u, 84u, 88u}) {
    SCOPED_TRACE(oldLength);
    // Every old word holds a marker of its own offset.
    std::vector<uint8_t> old;
    for (uint32_t offset = 0; offset + 4 <= oldLength; offset += 4) testbuild::PutU32BE(old, offset, 0x5A000000 + offset);
    old.resize(oldLength, 0x5A);
    RecordFileBuilder builder("BPAR");
    builder.Add("BPAR", old, 0x10);
    ASSERT_TRUE(testbuild::WriteDeviceFile(kSide, builder.Build()));
    {
      BookParameterFile file;
      ASSERT_EQ(file.Create(Wide(kBook), nullptr, 0, false, true, false), RecordResult::kOk);
    }
    auto header = testbuild::ReadTaggedDeviceFile(kSide).value().records.at(0);
    ASSERT_EQ(header.storedLength, 92u);
    ASSERT_EQ(header.recordSize, 100u);
    for (uint32_t offset = 0; offset < 28; offset += 4) EXPECT_EQ(WordAt(header.data, offset), 0x5A000000 + offset);
    for (const auto& f : fields) {
      SCOPED_TRACE(f.offset);
      bool filled = oldLength <= f.filledAtMost || f.offset + 4 > oldLength;
      uint32_t expected = filled ? f.value : 0x5A000000 + f.offset;
      EXPECT_EQ(WordAt(header.data, f.offset), expected);
    }
  }
}

TEST(SideFileFields, CategoriesAreNulSeparatedAndReadIntoASet) {
  BookParameterFile file;
  ASSERT_EQ(file.Create(Wide(kBook), nullptr, 0, false, true, false), RecordResult::kOk);
  const std::u16string list(u"Novels\0\0History\0Novels\0Caf\u00e9", 28);
  ASSERT_EQ(file.SetCategoryList(list.data(), static_cast<uint32_t>(list.size())), RecordResult::kOk);
  auto saved = SavedView(file);
  const auto* record = saved.ById(WordAt(saved.records.at(0).data, 16));
  ASSERT_TRUE(record);
  EXPECT_EQ(record->tag, "CATE");
  EXPECT_EQ(record->data, testbuild::Utf16BE(list));

  CategoryNameSet set;
  ASSERT_EQ(file.ReadCategorySet(&set), RecordResult::kOk);
  EXPECT_EQ(set.Count(), 3u);
  EXPECT_TRUE(set.Contains(u"History", 7));
  EXPECT_TRUE(set.Contains(u"Caf\u00e9", 4));
  EXPECT_FALSE(set.Contains(u"novels", 6));
  ASSERT_TRUE(set.Add(u"Poetry", 6));
  ASSERT_EQ(file.WriteCategorySet(set), RecordResult::kOk);
  uint32_t count = 0;
  const WCHAR* names = file.GetCategoryList(&count);
  ASSERT_TRUE(names);
  std::u16string written(names, count);
  // Every name once, one NUL between names, none at the end, in bucket order.
  EXPECT_EQ(written.size(), std::u16string(u"Novels").size() + 7 + 4 + 6 + 3);
  EXPECT_NE(written.back(), u'\0');
  std::u16string expected;
  for (uint32_t b = 0; b < CategoryNameSet::kBucketCount; ++b)
    for (const CategoryNameNode* node = set.Bucket(b); node; node = node->next) {
      if (!expected.empty()) expected.push_back(u'\0');
      expected.append(node->name.Chars(), node->name.ByteLength() / 2);
    }
  EXPECT_EQ(written, expected);

  ASSERT_EQ(file.ClearCategoryList(), RecordResult::kOk);
  EXPECT_EQ(file.GetCategoryList(&count), nullptr);
  EXPECT_EQ(file.ReadCategorySet(&set), RecordResult::kFailed);
  saved = SavedView(file);
  EXPECT_EQ(WordAt(saved.records.at(0).data, 16), kNone);
  EXPECT_EQ(saved.records.size(), 1u);
  CategoryNameSet empty;
  ASSERT_EQ(file.WriteCategorySet(empty), RecordResult::kOk);
  EXPECT_EQ(file.GetCategoryList(&count), nullptr);
}
