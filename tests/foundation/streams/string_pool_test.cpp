// StringPool: the stream format, a round trip of many texts with
// back-references, and the reader's refusal of bad references, short streams
// and lengths it cannot hold.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "foundation/streams/string_pool.h"
#include "platform/testing/allocation.h"

namespace {

SharedWideString Wide(const std::u16string& text) {
  SharedWideString s;
  EXPECT_TRUE(s.FromChars(text.data(), static_cast<uint32_t>(text.size())));
  return s;
}

std::u16string Text(const SharedWideString& s) { return std::u16string(s.Chars() ? s.Chars() : u"", s.length); }

std::vector<uint8_t> Bytes(const ByteStream& s) {
  std::vector<uint8_t> out(s.Size());
  for (uint32_t i = 0; i < s.Size(); ++i) out[i] = s.ByteAt(i);
  return out;
}

void Fill(ByteStream& s, const std::vector<uint8_t>& bytes) {
  s.Clear();
  ASSERT_TRUE(s.WriteBytes(bytes.data(), static_cast<uint32_t>(bytes.size())));
  s.readPos = 0;
}

TEST(StringPool, SecondOccurrenceIsBackReferenceAndEmptyTextIsZero) {
  ByteStream s;
  StringPool pool(&s);
  ASSERT_TRUE(pool.WriteString(Wide(u"ab")));
  ASSERT_TRUE(pool.WriteString(SharedWideString()));
  ASSERT_TRUE(pool.WriteString(Wide(u"\u00e9")));
  ASSERT_TRUE(pool.WriteString(Wide(u"ab")));
  ASSERT_TRUE(pool.WriteString(Wide(u"\u00e9")));
  EXPECT_EQ(Bytes(s), (std::vector<uint8_t>{0x84, 'a', 'b', 0x80, 0x84, 0xC3, 0xA9, 0x81, 0x83}));
  EXPECT_EQ(pool.texts.count, 2u) << "the empty text does not enter the table";
}

TEST(StringPool, ManyTextsRoundTripWithBackReferences) {
  const uint32_t seed = 4242;
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  std::vector<std::u16string> distinct = {u"", u"\U0001F600 smile", u"caf\u00e9", u"\u65e5\u672c\u8a9e"};
  while (distinct.size() < 300) {
    std::u16string t;
    uint32_t len = rng() % 200;  // some longer than the 128-byte first pass
    for (uint32_t i = 0; i < len; ++i) {
      uint32_t kind = rng() % 4;
      t.push_back(kind == 0 ? static_cast<char16_t>(0x4E00 + rng() % 500)
                            : kind == 1 ? static_cast<char16_t>(0xA0 + rng() % 96)
                                        : static_cast<char16_t>('a' + rng() % 26));
    }
    distinct.push_back(t);
  }
  std::vector<std::u16string> texts;
  for (int i = 0; i < 1000; ++i) texts.push_back(distinct[rng() % distinct.size()]);

  ByteStream s;
  StringPool writer(&s);
  for (size_t i = 0; i < texts.size(); ++i) {
    ASSERT_TRUE(writer.WriteString(Wide(texts[i])));
    ASSERT_TRUE(writer.WriteByte(static_cast<uint8_t>(i % 3)));
  }
  ASSERT_TRUE(writer.WriteEndMark());
  ASSERT_TRUE(s.ok);

  s.readPos = 0;
  StringPool reader(&s);
  for (size_t i = 0; i < texts.size(); ++i) {
    SharedWideString back;
    ASSERT_TRUE(reader.ReadString(&back)) << "text " << i;
    ASSERT_EQ(Text(back), texts[i]) << "text " << i;
    uint8_t marker = 9;
    ASSERT_TRUE(reader.ReadByte(&marker));
    ASSERT_EQ(marker, i % 3);
  }
  EXPECT_TRUE(reader.ReadEndMark());
  EXPECT_TRUE(s.ok);
  EXPECT_EQ(reader.texts.count, writer.texts.count);
  EXPECT_LT(writer.texts.count, 300u);
}

TEST(StringPool, ReaderRefusesBadInput) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    uint32_t goodTexts;  // texts read before the bad one
  } cases[] = {
      {"back-reference into an empty table", {0x81}, 0},
      {"back-reference beyond the table", {0x82, 'x', 0x83}, 1},
      {"length beyond the stream", {0x50, 0x8F, 'a', 'b', 'c'}, 0},
      {"length near 2^31", {0x7E, 0x7F, 0x7F, 0x7F, 0x8F, 'a'}, 0},
      {"varint cut", {0x04}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ByteStream s;
    Fill(s, c.bytes);
    StringPool pool(&s);
    SharedWideString out;
    for (uint32_t i = 0; i < c.goodTexts; ++i) ASSERT_TRUE(pool.ReadString(&out));
    long before = devtest::AllocationCount();
    EXPECT_FALSE(pool.ReadString(&out));
    EXPECT_EQ(devtest::AllocationCount(), before) << "nothing allocated for a text that is not there";
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(pool.texts.count, c.goodTexts);
  }
}

TEST(StringPool, ByteMarkersAndEndMark) {
  ByteStream s;
  Fill(s, {0, 1, 2, 3, 0, 5});
  StringPool pool(&s);
  uint8_t v = 0;
  EXPECT_TRUE(pool.ReadByte(&v));
  EXPECT_TRUE(pool.ReadByte(&v));
  EXPECT_TRUE(pool.ReadByte(&v));
  EXPECT_FALSE(pool.ReadByte(&v)) << "3 is not a marker";
  EXPECT_TRUE(s.ok);
  EXPECT_TRUE(pool.ReadEndMark());
  EXPECT_FALSE(pool.ReadEndMark());
  EXPECT_FALSE(pool.ReadByte(&v));
  EXPECT_FALSE(s.ok);
}

TEST(StringPool, FailuresLeaveTableInStep) {
  ByteStream s;
  StringPool pool(&s);
  ASSERT_TRUE(pool.WriteString(Wide(u"keep")));
  const char16_t loneHigh[] = {u'a', 0xD800, u'b'};
  EXPECT_FALSE(pool.WriteString(Wide(std::u16string(loneHigh, 3))));
  EXPECT_FALSE(s.ok);
  EXPECT_EQ(pool.texts.count, 1u);
  EXPECT_EQ(s.Size(), 5u) << "the refused text wrote nothing";

  ByteStream in;
  Fill(in, {0x84, 'h', 'i', 0x84, 'y', 'o'});
  StringPool reader(&in);
  SharedWideString out;
  ASSERT_TRUE(reader.ReadString(&out));
  {
    devtest::AllocationFailure fail(1, true);
    EXPECT_FALSE(reader.ReadString(&out));
  }
  EXPECT_FALSE(in.ok);
  EXPECT_EQ(reader.texts.count, 1u);
  EXPECT_EQ(Text(out), u"hi");
}

}  // namespace
