// EncodedString with values read back from saved state and other edge
// values: each must end with a defined result.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/encoded_string/encoded_string_array.h"
#include "tests/foundation/encoded_string/encoded_string_test_util.h"

using estest::Wide;

namespace {

// A string as Deserialize leaves it for the given head and bytes.
EncodedString Deserialized(int32_t unitKind, int32_t codePage, const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> chunk(12 + bytes.size());
  EncodedString::StoreU32BigEndian(chunk.data(), static_cast<uint32_t>(bytes.size()));
  EncodedString::StoreU32BigEndian(chunk.data() + 4, static_cast<uint32_t>(codePage));
  EncodedString::StoreU32BigEndian(chunk.data() + 8, static_cast<uint32_t>(unitKind));
  for (size_t i = 0; i < bytes.size(); ++i) chunk[12 + i] = bytes[i];
  const uint8_t* cursor = chunk.data();
  uint32_t remaining = static_cast<uint32_t>(chunk.size());
  EncodedString s;
  EXPECT_TRUE(s.Deserialize(&cursor, &remaining));
  return s;
}

}  // namespace

// One odd byte of UTF-16 holds no character: as a pattern it matches
// nothing, instead of an empty occurrence that a count or a split steps on
// for ever.
TEST(ReviewEncodedString, PatternWithoutAWholeCharacterMatchesNothing) {
  EncodedString pattern = Deserialized(EncodedString::kUnitUtf16, 65002, {0});
  ASSERT_EQ(pattern.ByteLength(), 1u);
  EncodedString text = Wide(std::u16string(u"a\0b\0", 4));

  EncodedString searched = text;
  searched.ResetScan();
  EXPECT_FALSE(searched.Find(pattern, true));
  EXPECT_EQ(EncodedString::CountOccurrences(text, pattern, true), 0u);

  EncodedStringArray pieces;
  SplitEncodedString(text, pattern, &pieces);
  EXPECT_EQ(pieces.Count(), 1u);

  EncodedString replaced = text;
  EXPECT_EQ(replaced.ReplaceAll(pattern, Wide(u"x"), -1), 0);
}

// "..\" steps need characters; a relative path whose unit kind is unknown
// cannot be stepped through and the combination ends with an error.
TEST(ReviewEncodedString, CombinePathEndsForATextWithoutUnitKind) {
  EncodedString relative = Deserialized(EncodedString::kUnitNone, -1, {'.', '.', '\\', 'x'});
  ASSERT_EQ(relative.UnitKind(), EncodedString::kUnitNone);
  EncodedString out;
  out.CombinePath(Wide(u"\\a\\b\\c.htm"), relative, true);
  EXPECT_FALSE(out.IsOk());
}

TEST(ReviewEncodedString, LockRegionRefusesAnOffsetAtTheTopOfTheRange) {
  for (uint32_t offset : {0xFFFFFFFFu, 0xFFFFFFFEu}) {
    EncodedString s = Wide(u"keep");
    EXPECT_EQ(s.LockRegion(offset, 0), nullptr);
    EXPECT_EQ(s.GetError(), kErrorNoMemory);
    EXPECT_EQ(s.ByteLength(), 8u);
  }
}
