// Saved element records: a written stack reads back word for word, and a
// damaged chunk (hostile counts, lengths or record words) is refused
// without reading or allocating beyond its bytes.
#include <gtest/gtest.h>

#include <vector>

#include "foundation/streams/byte_stream.h"
#include "layout/markup/element_record_stack.h"
#include "layout/markup/keyword_ids.h"
#include "tests/layout/styles/tag_source.h"

namespace {

class SavedRecords : public testing::Test {
 protected:
  void SetUp() override {
    TagSource body(kMarkupBody, {});
    TagSource a(kMarkupA, {{kMarkupHref, u"chapter2.html"}, {kMarkupColor, u"red"}, {kMarkupName, u"n1"}});
    TagSource font(kMarkupFont, {{kMarkupSize, u"+1"}});
    ASSERT_TRUE(stack.Push(body));
    ASSERT_TRUE(stack.Push(a));
    ASSERT_TRUE(stack.Push(font));
  }
  std::vector<uint8_t> Saved() {
    ByteStream out;
    EXPECT_TRUE(stack.Write(&out));
    std::vector<uint8_t> bytes(out.Size());
    for (uint32_t i = 0; i < out.Size(); ++i) bytes[i] = out.ByteAt(i);
    return bytes;
  }
  static bool ReadBytes(const std::vector<uint8_t>& bytes, ElementRecordStack* into) {
    ByteStream in;
    in.WriteBytes(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return into->Read(&in);
  }
  static void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
  }
  static uint32_t Get32(const std::vector<uint8_t>& bytes, size_t at) {
    return (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) | (uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
  }
  ElementRecordStack stack;
};

TEST_F(SavedRecords, RoundTrip) {
  std::vector<uint8_t> bytes = Saved();
  ElementRecordStack back;
  ASSERT_TRUE(ReadBytes(bytes, &back));
  ASSERT_EQ(back.RecordCount(), 3u);
  uint32_t a = back.FindTag(kMarkupA);
  ASSERT_NE(a, ElementRecordStack::kNoRecord);
  SharedWideString href;
  ASSERT_TRUE(back.AttributeText(a, kMarkupHref, &href));
  EXPECT_EQ(std::u16string(href.Chars(), href.length), u"chapter2.html");
  uint32_t color = 0;
  EXPECT_TRUE(back.AttributeValue(a, kMarkupColor, &color));
  EXPECT_EQ(Saved(), bytes);
  back.Pop();
  back.Pop();
  back.Pop();
  EXPECT_TRUE(back.IsEmpty());
}

TEST_F(SavedRecords, NoStringsMeansNothingAfterTheCodePage) {
  ElementRecordStack plain;
  TagSource b(kMarkupB, {});
  ASSERT_TRUE(plain.Push(b));
  ByteStream out;
  ASSERT_TRUE(plain.Write(&out));
  EXPECT_EQ(out.Size(), 4u + 4 * 3 + 12);
}

TEST_F(SavedRecords, HostileChunksAreRefused) {
  const std::vector<uint8_t> good = Saved();
  const uint32_t n = Get32(good, 0);
  const size_t mAt = 4 + 4 * n;
  const uint32_t textBytes = Get32(good, mAt + 4);
  const size_t lengthsAt = mAt + 12 + ((textBytes + 3) & ~3u);
  struct Damage {
    const char* name;
    void (*apply)(std::vector<uint8_t>&, size_t mAt, size_t lengthsAt);
  };
  const Damage damages[] = {
      {"word count beyond the chunk", [](auto& b, size_t, size_t) { Put32(b, 0, 0x40000000); }},
      {"word count all ones", [](auto& b, size_t, size_t) { Put32(b, 0, 0xFFFFFFFF); }},
      {"string count beyond the chunk", [](auto& b, size_t m, size_t) { Put32(b, m, 0x3FFFFFFF); }},
      {"string bytes beyond the chunk", [](auto& b, size_t m, size_t) { Put32(b, m + 4, 0xFFFFFFF0); }},
      {"wrong code page", [](auto& b, size_t m, size_t) { Put32(b, m + 8, 1252); }},
      {"lengths beyond the characters", [](auto& b, size_t, size_t l) { Put32(b, l, 0x7FFFFFFF); }},
      {"trailer unlike the header", [](auto& b, size_t m, size_t) { b[m - 1] ^= 1; }},
      {"record longer than the words", [](auto& b, size_t m, size_t) {
         uint32_t t = Get32(b, m - 4);
         Put32(b, m - 4, (t & 0xFF00FFFF) | (0xFFu << 16));
       }},
      {"record of two words", [](auto& b, size_t m, size_t) {
         uint32_t t = Get32(b, m - 4);
         Put32(b, m - 4, (t & 0xFF00FFFF) | (2u << 16));
       }},
      {"tag id beyond the table", [](auto& b, size_t m, size_t) {
         size_t top = m - 4 * 4;  // FONT: header, position, SIZE id, SIZE value, trailer
         uint32_t t = Get32(b, m - 4);
         Put32(b, m - 4, (t & 0xFFFF0000) | 999);
         Put32(b, top - 4, (t & 0xFFFF0000) | 999);
       }},
      {"text index beyond the strings", [](auto& b, size_t, size_t) {
         // BODY's record: 3 words from offset 4; A's starts at 16: header, position, HREF.
         uint32_t w = Get32(b, 4 + 4 * 5);
         Put32(b, 4 + 4 * 5, (w & 0xFFFF) | (40u << 16));
       }},
      {"truncated", [](auto& b, size_t, size_t) { b.resize(b.size() - 3); }},
  };
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.name);
    std::vector<uint8_t> bytes = good;
    damage.apply(bytes, mAt, lengthsAt);
    ElementRecordStack back;
    EXPECT_FALSE(ReadBytes(bytes, &back));
    EXPECT_TRUE(back.IsEmpty());
  }
}

TEST_F(SavedRecords, MoreThan512RecordsAreRefused) {
  std::vector<uint8_t> bytes(4);
  const uint32_t records = 513;
  Put32(bytes, 0, records * 3);
  for (uint32_t r = 0; r < records; ++r) {
    uint32_t header = kMarkupDiv | (3u << 16);
    for (uint32_t w : {header, 0u, header}) {
      bytes.resize(bytes.size() + 4);
      Put32(bytes, bytes.size() - 4, w);
    }
  }
  bytes.resize(bytes.size() + 12);
  Put32(bytes, bytes.size() - 4, 65002);
  ElementRecordStack back;
  EXPECT_FALSE(ReadBytes(bytes, &back));
  Put32(bytes, 0, 512 * 3);
  bytes.erase(bytes.begin() + 4, bytes.begin() + 16);
  EXPECT_TRUE(ReadBytes(bytes, &back));
  EXPECT_EQ(back.RecordCount(), 512u);
}

}  // namespace
