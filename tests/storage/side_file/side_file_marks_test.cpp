// The marks of a side file: their place in the record order, the walks of
// both classes, finding the mark that holds a position, deleting marks with
// everything they link to (and the kinds that protect or pull a target
// along), their fields and titles, and forgetting every position.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "platform/files/files.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/support/record_file_builder.h"

namespace {

constexpr const char16_t* kBook = u"\\book.prc";
constexpr const char16_t* kSide = u"\\book.qvr";
constexpr uint32_t kNone = 0xFFFFFFFF;

EncodedString Wide(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

class SideFileMarksTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(file.Create(Wide(kBook), "book", 4, false, true, false), RecordResult::kOk); }

  // Marks of a walk, as their start positions.
  std::vector<uint32_t> Walk(uint32_t first, MarkIterator* it) {
    std::vector<uint32_t> ids;
    for (uint32_t mark = first; mark != kNone; mark = file.NextBookmark(it)) ids.push_back(mark);
    return ids;
  }
  std::vector<uint32_t> ClassOne(uint32_t from = 0, uint32_t to = kNone) {
    MarkIterator it;
    return Walk(file.FirstBookmark(from, to, &it), &it);
  }
  std::vector<uint32_t> ClassTwo() {
    MarkIterator it;
    return Walk(file.FirstBookmarkOfKind2(&it), &it);
  }
  std::tuple<uint32_t, uint32_t, uint32_t, uint32_t> Words(uint32_t mark) {
    uint32_t start = 0, end = 0, vp = 0, ve = 0, extra = 0;
    EXPECT_EQ(file.GetBookmarkRange(mark, &start, &end, &vp, &ve, &extra), RecordResult::kOk);
    return {start, end, vp, ve};
  }
  size_t RecordCount() { return file.Database()->GetRecordCount(); }

  BookParameterFile file;
};

}  // namespace

TEST_F(SideFileMarksTest, MarksTakeTheirPlaceInTheRecordOrder) {
  struct Mark {
    uint32_t start, end, viewPosition, viewExtra, kind;
  } marks[] = {
      {500, 510, 20, 0, 1},     {100, 100, 30, 0, 2},     {100, 150, 10, 0, 4},  {0x90000000, 0x90000001, 0, 0, 1},
      {300, 300, 5, 9, 0x41},   {50, 60, 0, 3, 0x40},     {1, 2, 7, 3, 0x40},    {100, 100, 20, 0, 8},
      {700, 700, 0, 0x80000000, 0x40},
  };
  std::vector<uint32_t> ids;
  for (const auto& m : marks) {
    ids.push_back(file.AddBookmark(m.start, m.end, m.viewPosition, m.viewExtra, 0, m.kind));
    ASSERT_NE(ids.back(), kNone);
  }
  // A text of a mark is a "DATA" record: it goes behind the header, before
  // every mark.
  ASSERT_EQ(file.SetBookmarkNote(ids[0], u"n", 1), RecordResult::kOk);

  // Class 1 by start, then view position (unsigned).
  std::vector<uint32_t> expectedOne = {ids[2], ids[7], ids[1], ids[0], ids[3]};
  EXPECT_EQ(ClassOne(), expectedOne);
  // Class 2 by view extra, then view position (unsigned).
  std::vector<uint32_t> expectedTwo = {ids[5], ids[6], ids[4], ids[8]};
  EXPECT_EQ(ClassTwo(), expectedTwo);

  ASSERT_TRUE(file.Save());
  auto view = testbuild::ReadTaggedDeviceFile(kSide);
  ASSERT_TRUE(view);
  std::vector<std::string> tags = {"BPAR", "DATA"};
  tags.insert(tags.end(), 9, "BKMK");
  EXPECT_EQ(view->Tags(), tags);
  std::vector<uint32_t> stored;
  for (size_t i = 2; i < view->records.size(); ++i) stored.push_back(view->records[i].uniqueId);
  std::vector<uint32_t> all = expectedOne;
  all.insert(all.end(), expectedTwo.begin(), expectedTwo.end());
  EXPECT_EQ(stored, all);
  // A new mark's record: the six words and seven links of -1 (the note's
  // link aside).
  const auto* record = view->ById(ids[1]);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->data, testbuild::Words({100, 100, 30, 0, 0, 2, kNone, kNone, kNone, kNone, kNone, kNone, kNone}));
  EXPECT_EQ(record->recordSize, 60u);
}

TEST_F(SideFileMarksTest, AWalkStartsAtTheMarkThatHoldsThePositionAndStopsAtTheLimit) {
  uint32_t a = file.AddBookmark(100, 400, 0, 0, 0, 1);  // holds 300
  uint32_t b = file.AddBookmark(250, 350, 0, 0, 0, 1);  // holds 300
  uint32_t c = file.AddBookmark(300, 300, 9, 0, 0, 1);  // starts at 300
  uint32_t d = file.AddBookmark(300, 300, 1, 0, 0, 1);  // starts at 300
  uint32_t e = file.AddBookmark(320, 330, 0, 0, 0, 1);
  uint32_t f = file.AddBookmark(900, 950, 0, 0, 0, 1);
  uint32_t g = file.AddBookmark(10, 20, 0, 0, 0, 0x40);
  std::vector<uint32_t> fromThree = {a, b, d, c, e, f};
  EXPECT_EQ(ClassOne(300), fromThree);
  std::vector<uint32_t> upToNine = {a, b, d, c, e};
  EXPECT_EQ(ClassOne(300, 900), upToNine);
  // A mark that does not hold the position stops the walk back.
  EXPECT_EQ(ClassOne(331), (std::vector<uint32_t>{f}));
  EXPECT_EQ(ClassOne(325), (std::vector<uint32_t>{e, f}));
  EXPECT_EQ(ClassOne(0, 100), (std::vector<uint32_t>{}));
  EXPECT_EQ(ClassOne(951), (std::vector<uint32_t>{}));
  EXPECT_EQ(ClassTwo(), (std::vector<uint32_t>{g}));
}

TEST_F(SideFileMarksTest, AWalkFollowsItsMarkWhenRecordsMoveAndEndsWhenItIsGone) {
  uint32_t a = file.AddBookmark(10, 10, 0, 0, 0, 1);
  uint32_t b = file.AddBookmark(20, 20, 0, 0, 0, 1);
  uint32_t c = file.AddBookmark(30, 30, 0, 0, 0, 1);
  MarkIterator it;
  ASSERT_EQ(file.FirstBookmark(0, kNone, &it), a);
  // A note inserts a record before every mark: the indices move.
  ASSERT_EQ(file.SetBookmarkNote(a, u"note", 4), RecordResult::kOk);
  EXPECT_EQ(file.NextBookmark(&it), b);
  ASSERT_EQ(file.DeleteBookmark(b), RecordResult::kOk);
  EXPECT_EQ(file.NextBookmark(&it), kNone);
  EXPECT_EQ(file.NextBookmark(&it), kNone);
  ASSERT_EQ(file.FirstBookmark(0, kNone, &it), a);
  EXPECT_EQ(file.NextBookmark(&it), c);
  EXPECT_EQ(file.NextBookmark(&it), kNone);
  // Without a file nothing is found.
  BookParameterFile closed;
  EXPECT_EQ(closed.FirstBookmark(0, kNone, &it), kNone);
  EXPECT_EQ(it.mark, kNone);
  EXPECT_EQ(closed.FirstBookmarkOfKind2(&it), kNone);
  EXPECT_EQ(closed.AddBookmark(1, 2, 3, 4, 5, 6), kNone);
}

TEST_F(SideFileMarksTest, DeletingAMarkDeletesEveryRecordItLinksTo) {
  uint32_t keep = file.AddBookmark(5, 6, 0, 0, 0, 1);
  ASSERT_EQ(file.SetBookmarkNote(keep, u"kept", 4), RecordResult::kOk);
  ASSERT_EQ(file.SetAuthor(u"Author", 6), RecordResult::kOk);
  uint32_t mark = file.AddBookmark(50, 60, 0, 0, 0, 1);
  ByteStream state;
  ASSERT_TRUE(state.WriteBytes("state", 5));
  ASSERT_EQ(file.SetBookmarkText(mark, u"text", 4), RecordResult::kOk);
  ASSERT_EQ(file.SetBookmarkNote(mark, u"note", 4), RecordResult::kOk);
  ASSERT_EQ(file.SetBookmarkViewState(mark, state), RecordResult::kOk);
  ASSERT_EQ(file.SetBookmarkState(mark, state), RecordResult::kOk);
  ASSERT_EQ(file.SetBookmarkTitle(mark, u"title", 5), RecordResult::kOk);
  ASSERT_EQ(file.SetBookmarkTarget(mark, keep), RecordResult::kOk);
  size_t before = RecordCount();
  ASSERT_EQ(file.DeleteBookmark(mark), RecordResult::kOk);
  EXPECT_EQ(RecordCount(), before - 6);  // the mark and five records
  uint32_t count = 0;
  const WCHAR* note = file.GetBookmarkNote(keep, &count);
  ASSERT_TRUE(note);
  EXPECT_EQ(std::u16string(note, count), u"kept");
  EXPECT_TRUE(file.GetAuthor(&count));
  // Deleting what is not a mark does nothing.
  EXPECT_EQ(file.DeleteBookmark(kHeaderRecordId), RecordResult::kFailed);
  EXPECT_EQ(file.DeleteBookmark(mark), RecordResult::kFailed);
  EXPECT_EQ(RecordCount(), before - 6);
}

TEST_F(SideFileMarksTest, DeleteMarkSparesKind4000AndTakesTheTargetOfKind32) {
  uint32_t protectedMark = file.AddBookmark(10, 20, 0, 0, 0, 0x4000);
  uint32_t target = file.AddBookmark(30, 40, 0, 0, 0, 32);
  uint32_t link = file.AddBookmark(50, 60, 0, 0, 0, 32);
  uint32_t other = file.AddBookmark(70, 80, 0, 0, 0, 1);
  ASSERT_EQ(file.SetBookmarkTarget(link, target), RecordResult::kOk);
  ASSERT_EQ(file.SetBookmarkTarget(other, link), RecordResult::kOk);  // kind 1: a target is not taken
  EXPECT_TRUE(file.IsKind4000Mark(protectedMark));
  EXPECT_FALSE(file.IsKind4000Mark(target));
  file.DeleteMark(protectedMark);
  EXPECT_EQ(ClassOne().size(), 4u);
  file.DeleteMark(other);
  EXPECT_EQ(ClassOne(), (std::vector<uint32_t>{protectedMark, target, link}));
  file.DeleteMark(link);
  EXPECT_EQ(ClassOne(), (std::vector<uint32_t>{protectedMark}));
  EXPECT_EQ(file.GetBookmarkTarget(link), kNone);  // gone: the preset
}

TEST_F(SideFileMarksTest, MarkFieldsAreReadAndWritten) {
  uint32_t mark = file.AddBookmark(11, 22, 33, 44, 55, 66);
  EXPECT_EQ(Words(mark), std::make_tuple(11u, 22u, 33u, 44u));
  ASSERT_EQ(file.SetBookmarkExtra(mark, 0x00FF00), RecordResult::kOk);
  ASSERT_EQ(file.SetBookmarkKind(mark, 8), RecordResult::kOk);
  uint32_t start = 0, end = 0, vp = 0, ve = 0, extra = 0;
  ASSERT_EQ(file.GetBookmarkRange(mark, &start, &end, &vp, &ve, &extra), RecordResult::kOk);
  EXPECT_EQ(extra, 0x00FF00u);
  EXPECT_EQ(file.GetBookmarkKind(mark), 8u);
  EXPECT_EQ(file.GetBookmarkTarget(mark), kNone);
  ByteStream drawing;
  const uint32_t words[] = {1, 2, 3};
  ASSERT_TRUE(drawing.WriteU32BE(words, 3));
  ASSERT_EQ(file.SetBookmarkState(mark, drawing), RecordResult::kOk);
  uint32_t length = 0;
  const uint8_t* data = file.GetBookmarkState(mark, &length);
  ASSERT_TRUE(data);
  EXPECT_EQ(length, 12u);
  EXPECT_EQ(LoadU32BE(data + 8), 3u);
  EXPECT_EQ(file.GetBookmarkViewState(mark, &length), nullptr);
  uint32_t count = 0;
  ASSERT_EQ(file.SetBookmarkText(mark, u"quoted", 6), RecordResult::kOk);
  const WCHAR* text = file.GetBookmarkText(mark, &count);
  ASSERT_TRUE(text);
  EXPECT_EQ(std::u16string(text, count), u"quoted");
  // Unreadable marks: the presets and failures.
  start = 7;
  EXPECT_EQ(file.GetBookmarkRange(kHeaderRecordId, &start, &end, &vp, &ve, &extra), RecordResult::kFailed);
  EXPECT_EQ(start, 7u);
  EXPECT_EQ(file.GetBookmarkKind(0x777), 0u);
  EXPECT_EQ(file.GetBookmarkTarget(0x777), kNone);
  EXPECT_EQ(file.SetBookmarkNote(0x777, u"x", 1), RecordResult::kFailed);
}

TEST_F(SideFileMarksTest, ATitleFallsBackToTheExcerptPercentEncoded) {
  uint32_t mark = file.AddBookmark(1, 2, 0, 0, 0, 1);
  EncodedString title;
  EXPECT_EQ(file.GetBookmarkTitle(mark, &title), RecordResult::kFailed);
  ASSERT_EQ(file.SetBookmarkTitle(mark, u"My title", 8), RecordResult::kOk);
  ASSERT_EQ(file.GetBookmarkTitle(mark, &title), RecordResult::kOk);
  EXPECT_EQ(title.CodePage(), 65002);
  EXPECT_TRUE(title.EqualsText(u"My title"));
  ASSERT_EQ(file.SetBookmarkTitle(mark, u"", 0), RecordResult::kOk);
  EXPECT_EQ(file.GetBookmarkTitle(mark, &title), RecordResult::kFailed);
  file.Close();

  // The excerpt has no setter: a file written with one.
  testbuild::RecordFileBuilder builder("BPAR");
  builder.Add("BPAR", testbuild::ReadTaggedDeviceFile(kSide).value().records.at(0).data, 0x10);
  builder.Add("DATA", testbuild::Utf16BE(u"caf\u00e9 au lait"), 0x11);
  builder.Add("BKMK", testbuild::Words({1, 2, 0, 0, 0, 1, kNone, kNone, kNone, kNone, kNone, 0x11, kNone}), 0x12);
  ASSERT_TRUE(testbuild::WriteDeviceFile(kSide, builder.Build()));
  ASSERT_EQ(file.Open(Wide(kBook), true), RecordResult::kOk);
  uint32_t count = 0;
  const WCHAR* excerpt = file.GetBookmarkExcerpt(0x12, &count);
  ASSERT_TRUE(excerpt);
  EXPECT_EQ(std::u16string(excerpt, count), u"caf\u00e9 au lait");
  ASSERT_EQ(file.GetBookmarkTitle(0x12, &title), RecordResult::kOk);
  EXPECT_TRUE(title.EqualsText(u"caf%C3%A9%20au%20lait"));
}

TEST_F(SideFileMarksTest, ResetPositionsForgetsTheFramePositionAndEveryMark) {
  ByteStream frame;
  ASSERT_TRUE(frame.WriteBytes("EBAR....", 8));
  ASSERT_EQ(file.SetFramePosition(1234, 5, frame), RecordResult::kOk);
  ASSERT_EQ(file.SetTitle(u"Title", 5), RecordResult::kOk);
  for (uint32_t i = 0; i < 40; ++i) {
    uint32_t mark = file.AddBookmark(i * 10, i * 10 + 5, 0, i, 0, i % 3 == 0 ? 0x40 : 1);
    ASSERT_NE(mark, kNone);
    ASSERT_EQ(file.SetBookmarkNote(mark, u"n", 1), RecordResult::kOk);
  }
  ASSERT_EQ(file.ResetPositions(), RecordResult::kOk);
  EXPECT_TRUE(ClassOne().empty());
  EXPECT_TRUE(ClassTwo().empty());
  uint32_t first = 9, second = 9, length = 9;
  EXPECT_EQ(file.GetFramePosition(&first, &second, &length), nullptr);
  EXPECT_EQ(first, 0u);
  EXPECT_EQ(second, 0u);
  uint32_t count = 0;
  EXPECT_TRUE(file.GetTitle(&count));
  EXPECT_EQ(RecordCount(), 2u);  // the header and the title
}
