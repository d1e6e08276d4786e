// Builder-made books of every header version, code page and compression
// decode exactly to their text, block by block, and the position arithmetic
// (AdvancePosition, PositionDistance) agrees with the decoded text.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/text/utf16_to_utf8.h"
#include "storage/books/book_document.h"
#include "tests/support/book_builder.h"
#include "tests/support/book_builder_reader.h"

namespace {

using testbuild::BookRecipe;
using testbuild::TextCompression;

// The byte offset in the stored text of every UTF-16 unit of the text.
std::vector<uint32_t> UnitOffsets(const std::string& utf8, int32_t codePage) {
  std::vector<uint32_t> offsets;
  uint32_t at = 0;
  for (size_t i = 0; i < utf8.size();) {
    uint8_t c = static_cast<uint8_t>(utf8[i]);
    size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    const uint32_t units = n == 4 ? 2 : 1;
    const uint32_t stored = codePage == 65001 ? static_cast<uint32_t>(n) : codePage == 65002 ? 2 * units : 1;
    offsets.push_back(at);
    // The second unit of a pair starts one byte (one unit) later.
    if (units == 2) offsets.push_back(at + (codePage == 65002 ? 2 : 1));
    at += stored;
    i += n;
  }
  offsets.push_back(at);  // the end
  return offsets;
}

struct PositionCheck {
  const std::vector<uint32_t>* offsets;
  int failures = 0;
  int checked = 0;
};

// While a block is held: each of its characters' positions, both ways.
void CheckPositions(BookDocument* doc, const TextBlock& block, const testbuild::WalkedBlock& walked, void* context) {
  auto* check = static_cast<PositionCheck*>(context);
  const std::vector<uint32_t>& offsets = *check->offsets;
  for (uint32_t i = 0; i <= block.length && check->failures < 5; i += (i < 8 || i + 8 > block.length) ? 1 : 97) {
    const uint32_t global = walked.firstChar + i;
    if (global >= offsets.size()) break;
    const uint32_t expected = offsets[global];
    const uint32_t advanced = doc->AdvancePosition(block.start, i, 0);
    const uint32_t distance = doc->PositionDistance(block.start, expected, 0);
    // A surrogate pair's second unit has no position of its own.
    const bool secondUnit = global > 0 && offsets[global] - offsets[global - 1] == 1 &&
                            global + 1 < offsets.size() && offsets[global + 1] - offsets[global] > 1;
    ++check->checked;
    if (advanced != expected || (!secondUnit && distance != i)) {
      ADD_FAILURE() << "block at " << block.start << " char " << i << ": advance " << advanced << " distance "
                    << distance << " expected " << expected;
      ++check->failures;
    }
  }
}

using Params = std::tuple<uint32_t, int32_t, TextCompression>;

class BookDecodeMatrix : public ::testing::TestWithParam<Params> {};

TEST_P(BookDecodeMatrix, DecodesExactlyWithPositionsThatAgree) {
  const auto [version, codePage, compression] = GetParam();
  const int alphabet = codePage == 1252 ? 1 : 2;
  std::string utf8 = testbuild::SampleText(11000, version * 31 + static_cast<uint32_t>(codePage), alphabet);
  BookRecipe spec;
  // Before version 6 a UTF-8 book cannot carry a character cut by a
  // record's end: its text keeps them whole.
  if (codePage == 65001 && version < 6) utf8 = testbuild::KeepCharactersInRecords(utf8, spec.recordSize);
  spec.headerVersion = version;
  spec.codePage = codePage;
  spec.compression = compression;
  spec.text = testbuild::EncodeBookText(utf8, codePage);
  spec.fullName = testbuild::EncodeBookText("Täst book", codePage);
  if (version >= 6) spec.extraFlags = 0x7;  // bit 0 carries for UTF-8 only
  testbuild::BuiltBook book = testbuild::BuildBook(spec);

  for (uint32_t mode : {testbuild::kOpenMapped, testbuild::kOpenStream}) {
    SCOPED_TRACE(mode);
    testbuild::OpenedBook opened = testbuild::OpenBookBytes(book.Bytes(), 65002, mode);
    ASSERT_EQ(opened.error, 0);
    BookDocument* doc = opened.doc.get();
    EXPECT_EQ(doc->GetHeaderVersion(), version);
    EXPECT_EQ(doc->GetCodePage(), 65002);
    EXPECT_EQ(doc->GetTextLength(), spec.text.size());
    // Version 2 headers end before the name's fields.
    EXPECT_EQ(devtext::Utf16ToUtf8String(std::u16string(doc->FullName().Chars(), doc->FullName().length)),
              version == 2 ? "" : "Täst book");

    std::vector<uint32_t> offsets = UnitOffsets(utf8, codePage);
    PositionCheck check{&offsets};
    testbuild::TextWalk walk;
    ASSERT_TRUE(testbuild::ReadWholeText(doc, &walk, 0, false, CheckPositions, &check));
    const std::u16string expected = testbuild::Utf8ToUtf16(utf8);
    ASSERT_EQ(walk.text.size(), expected.size());
    EXPECT_TRUE(walk.text == expected);
    EXPECT_GE(walk.blocks.size(), 3u);
    EXPECT_GT(check.checked, 100);
    EXPECT_EQ(doc->BlockSlotCount(), 0u);  // every block given back
  }
}

std::vector<Params> AllCombinations() {
  std::vector<Params> out;
  for (uint32_t version = 2; version <= 7; ++version)
    for (int32_t cp : {1252, 65001, 65002})
      for (TextCompression c : {TextCompression::kNone, TextCompression::kPalmDoc, TextCompression::kHuffCdic})
        if (c != TextCompression::kHuffCdic || version >= 3) out.push_back({version, cp, c});
  return out;
}

std::string ParamName(const ::testing::TestParamInfo<Params>& info) {
  return "v" + std::to_string(std::get<0>(info.param)) + "_cp" + std::to_string(std::get<1>(info.param)) + "_" +
         testbuild::TextCompressionName(std::get<2>(info.param));
}

INSTANTIATE_TEST_SUITE_P(AllBooks, BookDecodeMatrix, ::testing::ValuesIn(AllCombinations()), ParamName);

}  // namespace
