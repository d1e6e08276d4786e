// The HUFF/CDIC decoder: round trips through the builder's encoder (plain
// and compressed phrases, final and raised code lengths), and a small
// hand-made dictionary for the cases a file can break: every refusal, the
// nesting limit, a dictionary that expands into itself, a trailing partial
// code, the output bound. And the DATP text-offset tables.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/streams/byte_order.h"
#include "storage/compression/huff_cdic.h"
#include "storage/compression/huff_cdic_text_offsets.h"
#include "tests/support/book_builder.h"
#include "tests/support/huff_cdic_encoder.h"
#include "tests/support/palm_database_builder.h"

namespace {

using Bytes = std::vector<uint8_t>;
using testbuild::PutU16BE;
using testbuild::PutU32BE;

void PutLE(Bytes& b, size_t at, uint32_t v) { StoreU32LE(b.data() + at, v); }

// A dictionary whose codes all have `bits` bits: phrase i has the code
// 2^bits - 1 - i (index = highest - code), all in one CDIC record (k = bits).
struct Phrase {
  Bytes bytes;
  bool plain = true;
};

struct FixedDictionary {
  uint32_t bits;
  std::vector<Phrase> phrases;
  Bytes huff;
  Bytes cdic;

  FixedDictionary(uint32_t codeBits, std::vector<Phrase> list) : bits(codeBits), phrases(std::move(list)) {
    huff.assign(24 + 1024 + 256, 0);
    std::memcpy(huff.data(), "HUFF", 4);
    PutU32BE(huff, 4, 24);
    PutU32BE(huff, 16, 24);
    PutU32BE(huff, 20, 24 + 1024);
    const uint32_t highest = (1u << bits) - 1;
    for (uint32_t p = 0; p < 256; ++p) PutLE(huff, 24 + 4 * p, bits | 0x80 | (highest << 8));
    PutLE(huff, 24 + 1024 + 8 * (bits - 1), 0);
    PutLE(huff, 24 + 1024 + 8 * (bits - 1) + 4, highest);
    cdic = {'C', 'D', 'I', 'C'};
    PutU32BE(cdic, 4, 16);
    PutU32BE(cdic, 8, static_cast<uint32_t>(phrases.size()));
    PutU32BE(cdic, 12, bits);
    Bytes area(2 * phrases.size());
    for (size_t i = 0; i < phrases.size(); ++i) {
      PutU16BE(area, 2 * i, static_cast<uint16_t>(area.size()));
      uint16_t word = static_cast<uint16_t>(phrases[i].bytes.size() | (phrases[i].plain ? 0x8000 : 0));
      area.push_back(static_cast<uint8_t>(word >> 8));
      area.push_back(static_cast<uint8_t>(word));
      area.insert(area.end(), phrases[i].bytes.begin(), phrases[i].bytes.end());
    }
    cdic.insert(cdic.end(), area.begin(), area.end());
  }

  // The codes of the given phrases, zero-padded.
  Bytes Codes(const std::vector<uint32_t>& indices) const {
    Bytes out;
    uint32_t acc = 0, n = 0;
    for (uint32_t index : indices) {
      uint32_t code = (1u << bits) - 1 - index;
      for (uint32_t b = bits; b-- > 0;) {
        acc = (acc << 1) | ((code >> b) & 1);
        if (++n == 8) {
          out.push_back(static_cast<uint8_t>(acc));
          acc = n = 0;
        }
      }
    }
    if (n != 0) out.push_back(static_cast<uint8_t>(acc << (8 - n)));
    return out;
  }

  bool Init(HuffCdicDecoder* d) const {
    const uint8_t* records[] = {cdic.data()};
    uint32_t sizes[] = {static_cast<uint32_t>(cdic.size())};
    return d->Init(huff.data(), static_cast<uint32_t>(huff.size()), records, sizes, 1);
  }
};

struct Result {
  HuffCdicResult result;
  std::string text;
};

Result DecodeWith(const HuffCdicDecoder& d, const Bytes& input, uint32_t capacity = 1024) {
  Bytes in(input);
  Bytes out(capacity);
  uint32_t produced = 0;
  HuffCdicResult r = d.Decode(in.empty() ? nullptr : in.data(), static_cast<uint32_t>(in.size()), out.data(),
                              capacity, &produced);
  EXPECT_LE(produced, capacity);
  return {r, std::string(out.begin(), out.begin() + produced)};
}

Bytes Text(const char* s) { return Bytes(s, s + std::strlen(s)); }

// Phrases "ab", "c", a compressed phrase, and an empty one.
FixedDictionary Small(const Bytes& compressed) {
  return FixedDictionary(2, {{Text("ab")}, {Text("c")}, {compressed, false}, {{}}});
}

TEST(HuffCdicDecode, CompressedPhraseExpandsBeforeTheStreamGoesOn) {
  FixedDictionary t = Small(FixedDictionary(2, {}).Codes({1, 0, 3, 3}));
  HuffCdicDecoder d;
  ASSERT_TRUE(t.Init(&d));
  Result r = DecodeWith(d, t.Codes({0, 1, 2, 0}));
  EXPECT_EQ(r.result, HuffCdicResult::kOk);
  EXPECT_EQ(r.text, "abccabab");
}

TEST(HuffCdicDecode, TrailingPartialCodeEndsTheStream) {
  FixedDictionary t(3, {{Text("ab")}, {Text("c")}});
  HuffCdicDecoder d;
  ASSERT_TRUE(t.Init(&d));
  // 111 110 11: two codes, then two bits of a third.
  Result r = DecodeWith(d, {0xFB});
  EXPECT_EQ(r.result, HuffCdicResult::kOk);
  EXPECT_EQ(r.text, "abc");
}

TEST(HuffCdicDecode, RefusesBrokenTablesAndStreams) {
  struct Case {
    const char* name;
    void (*breakIt)(FixedDictionary*);
    std::vector<uint32_t> codes;
  } cases[] = {
      {"cache entry of code length 0", [](FixedDictionary* t) { PutLE(t->huff, 24 + 4 * 0x80, 0); }, {1}},
      {"length raised past 32",
       [](FixedDictionary* t) {
         PutLE(t->huff, 24 + 4 * 0x80, 2);  // a lower bound, and no length ever fits
         for (uint32_t n = 1; n <= 32; ++n) PutLE(t->huff, 24 + 1024 + 8 * (n - 1), 0xFFFFFFFFu);
       },
       {1}},
      {"phrase index past the CDIC records",
       [](FixedDictionary* t) {
         for (uint32_t p = 0; p < 256; ++p) PutLE(t->huff, 24 + 4 * p, 2 | 0x80 | (7u << 8));
       },
       {3}},
      {"phrase slot past the offset table", [](FixedDictionary* t) { t->cdic.resize(16 + 3); }, {1}},
      {"phrase offset outside its record", [](FixedDictionary* t) { PutU16BE(t->cdic, 16 + 2 * 1, 0xFFF0); }, {1}},
      {"phrase length outside its record",
       [](FixedDictionary* t) {
         uint16_t offset = testbuild::GetU16BE(t->cdic, 16 + 2 * 1);
         PutU16BE(t->cdic, 16 + offset, 0x8000 | 0x7FFF);
       },
       {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FixedDictionary t = Small({});
    Bytes codes = t.Codes(c.codes);
    c.breakIt(&t);
    HuffCdicDecoder d;
    ASSERT_TRUE(t.Init(&d));
    EXPECT_EQ(DecodeWith(d, codes).result, HuffCdicResult::kCorrupt);
  }
}

TEST(HuffCdicDecode, NestingDeeperThan31IsRefused) {
  // Phrase i opens phrase i + 1; the last is plain.
  auto chain = [](uint32_t depth) {
    FixedDictionary codes(6, {});
    std::vector<Phrase> list;
    for (uint32_t i = 0; i < depth; ++i) list.push_back({codes.Codes({i + 1}), false});
    list.push_back({Text("x")});
    return FixedDictionary(6, list);
  };
  for (uint32_t depth : {31u, 32u}) {
    SCOPED_TRACE(depth);
    FixedDictionary t = chain(depth);
    HuffCdicDecoder d;
    ASSERT_TRUE(t.Init(&d));
    Result r = DecodeWith(d, t.Codes({0}));
    EXPECT_EQ(r.result, depth <= HuffCdicDecoder::kMaxNesting ? HuffCdicResult::kOk : HuffCdicResult::kCorrupt);
  }
}

TEST(HuffCdicDecode, PhrasesThatExpandToNothingAreStopped) {
  // Phrase i is eight codes of phrase i + 1, thirty levels down to an empty
  // plain phrase: 8^30 steps that produce nothing. The work budget ends it.
  FixedDictionary codes(5, {});
  std::vector<Phrase> list;
  for (uint32_t i = 0; i < 30; ++i) list.push_back({codes.Codes(std::vector<uint32_t>(8, i + 1)), false});
  list.push_back({{}});
  FixedDictionary t(5, list);
  HuffCdicDecoder d;
  ASSERT_TRUE(t.Init(&d));
  EXPECT_EQ(DecodeWith(d, t.Codes({0}), 4096).result, HuffCdicResult::kCorrupt);
}

TEST(HuffCdicDecode, OutputBoundRefuses) {
  FixedDictionary t = Small({});
  HuffCdicDecoder d;
  ASSERT_TRUE(t.Init(&d));
  Result r = DecodeWith(d, t.Codes({0, 0, 0, 0}), 7);
  EXPECT_EQ(r.result, HuffCdicResult::kOutputFull);
  EXPECT_EQ(r.text, "ababab");
}

TEST(HuffCdicDecode, InitRefusesBadRecords) {
  const FixedDictionary t = Small({});
  struct Case {
    const char* name;
    Bytes huff;
    Bytes cdic;
  } cases[] = {
      {"HUFF tag", t.huff, t.cdic},
      {"CDIC tag", t.huff, t.cdic},
      {"k = 17", t.huff, t.cdic},
      {"cache table past the record", t.huff, t.cdic},
      {"code-limit table past the record", t.huff, t.cdic},
      {"CDIC header past the record", t.huff, t.cdic},
      {"short HUFF", Bytes(t.huff.begin(), t.huff.begin() + 20), t.cdic},
  };
  cases[0].huff[0] = 'X';
  cases[1].cdic[0] = 'X';
  PutU32BE(cases[2].cdic, 12, 17);
  PutU32BE(cases[3].huff, 16, static_cast<uint32_t>(t.huff.size() - 1000));
  PutU32BE(cases[4].huff, 20, static_cast<uint32_t>(t.huff.size() - 255));
  PutU32BE(cases[5].cdic, 4, static_cast<uint32_t>(t.cdic.size() + 1));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HuffCdicDecoder d;
    const uint8_t* records[] = {c.cdic.data()};
    uint32_t sizes[] = {static_cast<uint32_t>(c.cdic.size())};
    EXPECT_FALSE(d.Init(c.huff.data(), static_cast<uint32_t>(c.huff.size()), records, sizes, 1));
    EXPECT_FALSE(d.IsLoaded());
  }
}

class HuffCdicEncoderRoundTrip : public ::testing::TestWithParam<bool> {};

TEST_P(HuffCdicEncoderRoundTrip, SystemDecoderReadsTheEncodersRecords) {
  const bool finalEntries = GetParam();
  std::string sample = testbuild::SampleText(60000, 11, 2);
  Bytes text(sample.begin(), sample.end());
  testbuild::HuffCdicOptions options;
  options.finalCacheEntries = finalEntries;
  options.codeBits = 10;  // several CDIC records
  testbuild::HuffCdicEncoder encoder(text, options);
  EXPECT_GT(encoder.NestedPhraseCount(), 0u);
  EXPECT_GT(encoder.CdicRecords().size(), 1u);

  std::vector<const uint8_t*> records;
  std::vector<uint32_t> sizes;
  for (const Bytes& c : encoder.CdicRecords()) {
    records.push_back(c.data());
    sizes.push_back(static_cast<uint32_t>(c.size()));
  }
  HuffCdicDecoder d;
  ASSERT_TRUE(d.Init(encoder.HuffRecord().data(), static_cast<uint32_t>(encoder.HuffRecord().size()),
                     records.data(), sizes.data(), static_cast<uint32_t>(records.size())));
  for (size_t at = 0; at < text.size(); at += 4096) {
    size_t n = std::min<size_t>(4096, text.size() - at);
    Bytes bits = encoder.Encode(text.data() + at, n);
    EXPECT_EQ(encoder.DecodeReference(bits), Bytes(text.begin() + at, text.begin() + at + n));
    Result r = DecodeWith(d, bits, static_cast<uint32_t>(n));
    ASSERT_EQ(r.result, HuffCdicResult::kOk) << at;
    ASSERT_EQ(r.text, sample.substr(at, n)) << at;
  }
}

INSTANTIATE_TEST_SUITE_P(CacheEntries, HuffCdicEncoderRoundTrip, ::testing::Bool());

TEST(TextOffsetTables, LocateAcrossRecordsAndCheckpoints) {
  std::vector<uint32_t> lengths;
  for (uint32_t i = 0; i < 37; ++i) lengths.push_back(1000 + 37 * i % 500);
  for (uint32_t shift : {0u, 2u, 5u}) {
    for (uint32_t per : {0u, 10u}) {
      SCOPED_TRACE(testing::Message() << "shift " << shift << " per " << per);
      auto recs = testbuild::BuildTextOffsetRecords(lengths, shift, per);
      std::vector<const uint8_t*> ptrs;
      std::vector<uint32_t> sizes;
      for (auto& r : recs) {
        ptrs.push_back(r.data());
        sizes.push_back(static_cast<uint32_t>(r.size()));
      }
      uint32_t count = 0;
      ASSERT_TRUE(TextOffsetTables::ReadRecordCount(ptrs[0], sizes[0], &count));
      ASSERT_EQ(count, recs.size());
      TextOffsetTables tables;
      ASSERT_TRUE(tables.Init(ptrs.data(), sizes.data(), count));
      EXPECT_EQ(tables.TextRecordCount(), lengths.size());
      uint32_t start = 0;
      for (uint32_t i = 0; i < lengths.size(); ++i) {
        for (uint32_t p : {start, start + lengths[i] / 2, start + lengths[i] - 1}) {
          uint32_t record = 0, s = 0, l = 0;
          ASSERT_TRUE(tables.Locate(p, &record, &s, &l)) << p;
          EXPECT_EQ(record, i + 1);
          EXPECT_EQ(s, start);
          EXPECT_EQ(l, lengths[i]);
        }
        start += lengths[i];
      }
      uint32_t record, s, l;
      EXPECT_FALSE(tables.Locate(start, &record, &s, &l));
    }
  }
}

TEST(TextOffsetTables, RefusesTablesThatDoNotFit) {
  std::vector<uint32_t> lengths(20, 4096);
  auto good = testbuild::BuildTextOffsetRecords(lengths, 2, 8);
  struct Case {
    const char* name;
    size_t record;
    void (*breakIt)(Bytes&);
  } cases[] = {
      {"first record cut", 0, [](Bytes& r) { r.resize(r.size() - 1); }},
      {"later record cut", 2, [](Bytes& r) { r.resize(r.size() - 1); }},
      {"shift 32", 0, [](Bytes& r) { r[9] = 32; }},
      {"header length past the record", 1, [](Bytes& r) { PutU32BE(r, 4, 0x7FFFFFF0); }},
      {"count of lengths past the record", 1, [](Bytes& r) { PutU16BE(r, 10, 0xFFFF); }},
      {"more DATP records announced", 0, [](Bytes& r) { r[8] = 4; }},
      {"not DATP", 0, [](Bytes& r) { r[0] = 'X'; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto recs = good;
    c.breakIt(recs[c.record]);
    std::vector<const uint8_t*> ptrs;
    std::vector<uint32_t> sizes;
    for (auto& r : recs) {
      ptrs.push_back(r.data());
      sizes.push_back(static_cast<uint32_t>(r.size()));
    }
    TextOffsetTables tables;
    EXPECT_FALSE(tables.Init(ptrs.data(), sizes.data(), static_cast<uint32_t>(recs.size())));
  }
}

}  // namespace
