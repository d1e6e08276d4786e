// Document::ConvertText: every conversion path, the in-place cases, the
// UTF-8 character-position map placed by the carry state, and the bounds:
// output that would not fit the buffer fails instead of overrunning it.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "foundation/code_pages/char_position_map.h"
#include "foundation/code_pages/code_page.h"
#include "platform/testing/allocation.h"
#include "storage/container/record_buffer.h"
#include "storage/documents/document.h"

namespace {

std::vector<char16_t> Units(const std::vector<uint8_t>& bytes, uint32_t n) {
  std::vector<char16_t> out(n);
  std::memcpy(out.data(), bytes.data(), n * 2);
  return out;
}

TEST(DocumentConvertText, BigEndianUtf16BecomesNativeWithTheSameBytes) {
  std::vector<uint8_t> data = {0x00, 'H', 0x00, 'i', 0x20, 0xAC, 0xD8, 0x3D, 0xDE, 0x00};
  MemoryRecordBuffer buffer(data.data(), static_cast<uint32_t>(data.size()));
  uint32_t n = Document::ConvertText(&buffer, nullptr, 10, kCodePageUtf16, kCodePageUtf16, nullptr, false);
  ASSERT_EQ(n, 5u);
  EXPECT_EQ(Units(data, 5), (std::vector<char16_t>{u'H', u'i', 0x20AC, 0xD83D, 0xDE00}));
}

TEST(DocumentConvertText, Cp1252AskedAs65020StaysInPlaceWithoutScratch) {
  std::vector<uint8_t> data = {'a', 0x80, 'b'};
  MemoryRecordBuffer buffer(data.data(), 3);
  devtest::AllocationFailure noMemory(1, true);  // any scratch block would fail
  EXPECT_EQ(Document::ConvertText(&buffer, nullptr, 3, kCodePage1252, kCodePageRefused, nullptr, false), 3u);
  EXPECT_EQ(data, (std::vector<uint8_t>{'a', 0x80, 'b'}));
}

TEST(DocumentConvertText, Cp1252ToUtf16FromSourceBytes) {
  const uint8_t source[] = {'a', 0x80, 0xE9};
  std::vector<uint8_t> out(6);
  MemoryRecordBuffer buffer(out.data(), 6);
  ASSERT_EQ(Document::ConvertText(&buffer, source, 3, kCodePage1252, kCodePageUtf16, nullptr, false), 3u);
  EXPECT_EQ(Units(out, 3), (std::vector<char16_t>{u'a', 0x20AC, 0xE9}));
}

TEST(DocumentConvertText, Utf16ToSingleByteAnswersCharactersNotHalfTheBytes) {
  // UTF-16 text is stored high byte first, whatever the target.
  const uint8_t source[] = {0x00, 'a', 0x20, 0xAC, 0x00, 'z'};
  std::vector<uint8_t> out(3);
  MemoryRecordBuffer buffer(out.data(), 3);
  ASSERT_EQ(Document::ConvertText(&buffer, source, 6, kCodePageUtf16,
                                  kCodePage1252, nullptr, false),
            3u);
  EXPECT_EQ(out, (std::vector<uint8_t>{'a', 0x80, 'z'}));
}

TEST(DocumentConvertText, InPlaceGrowthCopiesOnlyWhatWasProducedAndOnlyWhenItFits) {
  // Three bytes of UTF-8 need six bytes of UTF-16: a three-byte buffer must
  // refuse rather than take the whole scratch block.
  std::vector<uint8_t> small = {'a', 'b', 'c'};
  MemoryRecordBuffer tight(small.data(), 3);
  EXPECT_EQ(Document::ConvertText(&tight, nullptr, 3, kCodePageUtf8, kCodePageUtf16, nullptr, false), 0u);
  EXPECT_EQ(small, (std::vector<uint8_t>{'a', 'b', 'c'}));

  // With room, the bytes after the produced text are left alone.
  std::vector<uint8_t> roomy = {0xC3, 0xA9, 'x', 0x55, 0x55, 0x55, 0x55, 0x55};
  MemoryRecordBuffer buffer(roomy.data(), 8);
  ASSERT_EQ(Document::ConvertText(&buffer, nullptr, 3, kCodePageUtf8, kCodePageUtf16, nullptr, false), 2u);
  EXPECT_EQ(Units(roomy, 2), (std::vector<char16_t>{0xE9, u'x'}));
  EXPECT_EQ(roomy[4], 0x55);
  EXPECT_EQ(roomy[7], 0x55);
}

TEST(DocumentConvertText, Utf8WithCarryFillsTheMapAtItsOffset) {
  const char* text = "h\xC3\xA9llo w\xE2\x82\xACrld";  // 14 bytes, 11 characters
  uint32_t count = static_cast<uint32_t>(std::strlen(text));
  CharMapCarry carry;
  carry.mapOffset = 32;
  carry.shift = 2;
  std::vector<uint8_t> out(carry.mapOffset + CharPositionMapSize(count), 0);
  MemoryRecordBuffer buffer(out.data(), static_cast<uint32_t>(out.size()));
  ASSERT_EQ(Document::ConvertText(&buffer, reinterpret_cast<const uint8_t*>(text), count, kCodePageUtf8,
                                  kCodePageUtf16, &carry, true),
            11u);
  EXPECT_EQ(Units(out, 3), (std::vector<char16_t>{u'h', 0xE9, u'l'}));
  const auto* map = reinterpret_cast<const CharPositionMap*>(out.data() + carry.mapOffset);
  EXPECT_EQ(map->owner, carry.mapOffset);
  EXPECT_EQ(map->shift, 2u);
  uint32_t byte = 0;
  CharPositionMap::Translate(7, &byte, true, map);  // the euro sign
  EXPECT_EQ(byte, 8u);
}

TEST(DocumentConvertText, Utf8InPlaceWithCarryKeepsTextBelowTheMap) {
  // The text would run into the map: refused.
  std::vector<uint8_t> out(8 + CharPositionMapSize(8), 0);
  std::memcpy(out.data(), "abcdefgh", 8);
  CharMapCarry carry;
  carry.mapOffset = 8;
  MemoryRecordBuffer buffer(out.data(), static_cast<uint32_t>(out.size()));
  EXPECT_EQ(Document::ConvertText(&buffer, nullptr, 8, kCodePageUtf8, kCodePageUtf16, &carry, true), 0u);

  // Placed behind twice the text, it works in place.
  std::vector<uint8_t> room(16 + CharPositionMapSize(8), 0);
  std::memcpy(room.data(), "abcdefgh", 8);
  carry.mapOffset = 16;
  MemoryRecordBuffer roomy(room.data(), static_cast<uint32_t>(room.size()));
  ASSERT_EQ(Document::ConvertText(&roomy, nullptr, 8, kCodePageUtf8, kCodePageUtf16, &carry, true), 8u);
  EXPECT_EQ(Units(room, 8), (std::vector<char16_t>{u'a', u'b', u'c', u'd', u'e', u'f', u'g', u'h'}));
}

TEST(DocumentConvertText, Utf8ToCp1252InPlace) {
  std::vector<uint8_t> data = {'c', 'a', 'f', 0xC3, 0xA9};
  MemoryRecordBuffer buffer(data.data(), 5);
  ASSERT_EQ(Document::ConvertText(&buffer, nullptr, 5, kCodePageUtf8, kCodePage1252, nullptr, false), 4u);
  EXPECT_EQ(data[3], 0xE9);
}

TEST(DocumentConvertText, FailuresAnswerZero) {
  std::vector<uint8_t> data = {'a', 'b'};
  MemoryRecordBuffer buffer(data.data(), 2);
  // No path between two other code pages.
  EXPECT_EQ(Document::ConvertText(&buffer, nullptr, 2, kCodePage1252, 932, nullptr, false), 0u);
  // More bytes than the buffer holds.
  EXPECT_EQ(Document::ConvertText(&buffer, nullptr, 3, kCodePage1252, kCodePageUtf16, nullptr, false), 0u);
  EXPECT_EQ(Document::ConvertText(nullptr, nullptr, 2, kCodePage1252, kCodePageUtf16, nullptr, false), 0u);
  // No memory for the scratch block.
  std::vector<uint8_t> room(8, 0);
  room[0] = 'a';
  MemoryRecordBuffer roomy(room.data(), 8);
  devtest::AllocationFailure noMemory(1, true);
  EXPECT_EQ(Document::ConvertText(&roomy, nullptr, 1, kCodePage1252, kCodePageUtf16, nullptr, false), 0u);
  EXPECT_EQ(room[0], 'a');
}

TEST(DocumentCodePages, TargetAndConversionRules) {
  EXPECT_EQ(ResolveTargetCodePage(1252, kCodePageUtf16), kCodePageUtf16);
  EXPECT_EQ(ResolveTargetCodePage(1252, kCodePageRefused), kCodePageRefused);
  EXPECT_EQ(ResolveTargetCodePage(1252, 1252), 1252);
  EXPECT_EQ(ResolveTargetCodePage(932, 1252), 932);
  EXPECT_EQ(ResolveTargetCodePage(kCodePageUtf8, 1252), 1252);
  EXPECT_EQ(ResolveTargetCodePage(kCodePageUtf16, 1252), 1252);

  EXPECT_FALSE(NeedsCodePageConversion(1252, kCodePageUtf16, true));
  EXPECT_TRUE(NeedsCodePageConversion(kCodePageUtf8, kCodePageUtf16, true));
  EXPECT_TRUE(NeedsCodePageConversion(932, 1252, true));
  EXPECT_FALSE(NeedsCodePageConversion(kCodePageUtf8, kCodePageUtf16, false));
  EXPECT_FALSE(NeedsCodePageConversion(kCodePageUtf8, kCodePageUtf8, true));
}

}  // namespace
