// CharPositionMap filled by ConvertFromUtf8: translation both ways agrees
// with a brute-force map of the same text, for random UTF-8 with one- to
// four-byte characters, at every offset including the block boundaries;
// input too long for the tables is refused without writing past them; and
// the map's size does not wrap for counts at the top of the range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "foundation/code_pages/code_page.h"

namespace {

// Byte start of every output unit (a pair's second unit one byte behind
// its character's start), computed from the text directly.
struct BruteForceMap {
  std::vector<uint32_t> unitStart;  // one entry per unit, then the input length
  uint32_t skipped = 0;

  uint32_t ToByte(uint32_t unit) const { return unitStart[unit]; }
  // The first unit starting at or after the byte (the starts ascend).
  uint32_t ToUnit(uint32_t byte) const {
    auto found = std::lower_bound(unitStart.begin(), unitStart.end() - 1, byte);
    return static_cast<uint32_t>(found - unitStart.begin());
  }
};

BruteForceMap BuildBruteForce(const std::string& text, bool wide) {
  BruteForceMap map;
  uint32_t n = static_cast<uint32_t>(text.size());
  const uint8_t* b = reinterpret_cast<const uint8_t*>(text.data());
  uint32_t pos = 0;
  while (pos < n && b[pos] >= 0x80 && b[pos] <= 0xBF) ++pos;
  map.skipped = pos;
  while (pos < n) {
    uint8_t lead = b[pos];
    uint32_t len = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (pos + len > n) len = n - pos;
    bool pair = wide && len == 4 && lead <= 0xF4;
    map.unitStart.push_back(pos);
    if (pair) map.unitStart.push_back(pos + 1);
    pos += len;
  }
  map.unitStart.push_back(n);
  return map;
}

std::string RandomUtf8(std::mt19937& random, uint32_t maxBytes) {
  std::string out;
  while (true) {
    uint32_t kind = random() % 4;
    uint32_t cp;
    switch (kind) {
      case 0: cp = 0x20 + random() % 0x5F; break;
      case 1: cp = 0x80 + random() % (0x800 - 0x80); break;
      case 2: cp = 0x800 + random() % (0xD800 - 0x800); break;
      default: cp = 0x10000 + random() % (0x110000 - 0x10000); break;
    }
    uint8_t bytes[8];
    uint32_t n = EncodeUtf8Char(cp, bytes);
    if (out.size() + n > maxBytes) break;
    out.append(reinterpret_cast<char*>(bytes), n);
  }
  return out;
}

class MapBlock {
 public:
  MapBlock(uint32_t units, uint32_t shift) : bytes_(CharPositionMapSize(units) + 64, 0xAB) {
    map()->shift = shift;
  }
  CharPositionMap* map() { return reinterpret_cast<CharPositionMap*>(bytes_.data()); }
  // Bytes beyond what the map may use stay untouched.
  bool GuardIntact(uint32_t units) const {
    for (size_t i = CharPositionMapSize(units); i < bytes_.size(); ++i)
      if (bytes_[i] != 0xAB) return false;
    return true;
  }

 private:
  std::vector<uint8_t> bytes_;  // heap storage: aligned for the map
};

void CheckAgainstBruteForce(const std::string& text, uint32_t shift, bool wide, uint32_t seed) {
  BruteForceMap expected = BuildBruteForce(text, wide);
  uint32_t units = static_cast<uint32_t>(expected.unitStart.size() - 1);
  MapBlock block(units, shift);
  std::vector<uint8_t> out(text.size() * 2 + 4);
  uint32_t outLen = static_cast<uint32_t>(out.size());
  ASSERT_EQ(ConvertFromUtf8(reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()),
                            wide ? kCodePageUtf16 : kCodePage1252, out.data(), &outLen, block.map()),
            kConvertOk)
      << "seed " << seed;
  ASSERT_EQ(outLen, units * (wide ? 2 : 1)) << "seed " << seed;
  ASSERT_TRUE(block.GuardIntact(units)) << "seed " << seed;
  // The conversion without a map (a faster path) writes the same text.
  std::vector<uint8_t> plain(text.size() * 2 + 4);
  uint32_t plainLen = static_cast<uint32_t>(plain.size());
  ASSERT_EQ(ConvertFromUtf8(reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()),
                            wide ? kCodePageUtf16 : kCodePage1252, plain.data(), &plainLen, nullptr),
            kConvertOk);
  ASSERT_EQ(plainLen, outLen) << "seed " << seed;
  ASSERT_EQ(std::memcmp(plain.data(), out.data(), outLen), 0) << "seed " << seed;
  const CharPositionMap* map = block.map();
  EXPECT_EQ(map->unitAtByteBlock[0], 0) << "seed " << seed;
  EXPECT_EQ(map->byteAtCharBlock[0], expected.skipped) << "seed " << seed;
  for (uint32_t unit = 0; unit <= units; ++unit) {
    uint32_t byte = 0;
    CharPositionMap::Translate(unit, &byte, true, map);
    ASSERT_EQ(byte, expected.ToByte(unit)) << "unit " << unit << " shift " << shift << " seed " << seed;
  }
  for (uint32_t byte = 0; byte <= text.size(); ++byte) {
    uint32_t unit = 0;
    CharPositionMap::Translate(byte, &unit, false, map);
    ASSERT_EQ(unit, expected.ToUnit(byte)) << "byte " << byte << " shift " << shift << " seed " << seed;
  }
}

}  // namespace

TEST(CharPositionMapTest, AgreesWithBruteForceOnRandomTexts) {
  const uint32_t seed = 7301;
  std::mt19937 random(seed);
  for (uint32_t shift : {0u, 1u, 2u, 4u, 6u}) {
    for (int round = 0; round < 25; ++round) {
      uint32_t maxBytes = (64u << shift) - random() % 8;
      std::string text = RandomUtf8(random, maxBytes);
      if (round % 5 == 1) text.insert(0, "\x80\xBF");  // leading continuation bytes
      if (round % 5 == 2 && !text.empty()) text.pop_back();  // a cut last character
      if (text.size() > (64u << shift)) text.resize(64u << shift);
      for (bool wide : {true, false}) {
        CheckAgainstBruteForce(text, shift, wide, seed);
        if (HasFatalFailure()) return;
      }
    }
  }
}

// ASCII runs are converted a run at a time: a run broken by a two-, three-
// or four-byte character at every offset, and by two characters, gives the
// same map as the brute force, whatever the run's alignment.
TEST(CharPositionMapTest, AgreesWithBruteForceOnAsciiRunsBrokenAtEveryOffset) {
  const char* const breaks[] = {"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"};
  for (uint32_t shift : {0u, 1u, 3u}) {
    const uint32_t limit = 64u << shift;
    std::string ascii;
    for (uint32_t i = 0; ascii.size() < limit; ++i) ascii.push_back(static_cast<char>('a' + i % 26));
    for (const char* brk : breaks) {
      for (uint32_t at = 0; at < limit; ++at) {
        std::string text = ascii.substr(0, at) + brk + ascii.substr(at);
        text.resize(limit);
        std::string twice = text;
        twice.insert(at / 2, brk);
        twice.resize(limit);
        for (bool wide : {true, false}) {
          CheckAgainstBruteForce(text, shift, wide, at);
          CheckAgainstBruteForce(twice, shift, wide, at);
          if (HasFatalFailure()) return;
        }
      }
    }
  }
}

TEST(CharPositionMapTest, SkippedBytesBeyondASignedByte) {
  std::string text(300, '\x80');
  text += "ab\xE2\x82\xAC";
  CheckAgainstBruteForce(text, 3, true, 0);
}

TEST(CharPositionMapTest, FullMapUsesAllEntries) {
  // 2^shift x 64 one-byte characters: the last entries name the end.
  const uint32_t shift = 2;
  std::string text(64u << shift, 'x');
  MapBlock block(64u << shift, shift);
  std::vector<WCHAR> out(text.size());
  uint32_t outLen = static_cast<uint32_t>(out.size() * 2);
  ASSERT_EQ(ConvertFromUtf8(reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()),
                            kCodePageUtf16, out.data(), &outLen, block.map()),
            kConvertOk);
  EXPECT_EQ(block.map()->unitAtByteBlock[64], 256);
  EXPECT_EQ(block.map()->byteAtCharBlock[64], 256);
  EXPECT_EQ(block.map()->unitAtByteBlock[63], 252);
  EXPECT_TRUE(block.GuardIntact(64u << shift));
}

TEST(CharPositionMapTest, InputTooLongForTheTablesIsRefused) {
  const uint32_t shift = 2;
  std::string text((64u << shift) + 4, 'x');  // (length >> shift) = 65
  MapBlock block(static_cast<uint32_t>(text.size()), shift);
  std::vector<uint8_t> before(reinterpret_cast<uint8_t*>(block.map()),
                              reinterpret_cast<uint8_t*>(block.map()) + CharPositionMapSize(0));
  std::vector<WCHAR> out(text.size());
  uint32_t outLen = static_cast<uint32_t>(out.size() * 2);
  EXPECT_EQ(ConvertFromUtf8(reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()),
                            kCodePageUtf16, out.data(), &outLen, block.map()),
            kConvertFailed);
  EXPECT_EQ(std::memcmp(before.data(), block.map(), before.size()), 0);
  // A shift that cannot be right is refused too.
  block.map()->shift = 40;
  EXPECT_EQ(ConvertFromUtf8(reinterpret_cast<const uint8_t*>("a"), 1, kCodePageUtf16, out.data(), &outLen,
                            block.map()),
            kConvertFailed);
}

TEST(CharPositionMapTest, WithoutAMapValuesPassThrough) {
  uint32_t result = 0;
  CharPositionMap::Translate(1234, &result, true, nullptr);
  EXPECT_EQ(result, 1234u);
  CharPositionMap::Translate(77, &result, false, nullptr);
  EXPECT_EQ(result, 77u);
  EXPECT_EQ(CharPositionMapSize(0), 344u);
  EXPECT_EQ(CharPositionMapSize(1), 348u);
  EXPECT_EQ(CharPositionMapSize(16), 348u);
  EXPECT_EQ(CharPositionMapSize(17), 352u);
}

// Counts at the top of the 32-bit range: the rounding to 16 units must not
// wrap to a map of a few bytes.
TEST(CharPositionMapTest, SizeDoesNotWrapAtTheTopOfTheRange) {
  EXPECT_EQ(CharPositionMapSize(0), 344u);
  EXPECT_EQ(CharPositionMapSize(17), 352u);
  for (uint32_t n : {0xFFFFFFF1u, 0xFFFFFFFFu}) EXPECT_EQ(CharPositionMapSize(n), 0x40000000u + 344u) << n;
}
