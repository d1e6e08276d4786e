// Broken variants of built books, one per way a file can lie.
#include <stdexcept>

#include "foundation/streams/byte_order.h"
#include "tests/support/book_builder.h"
#include "tests/support/palmdoc_encoder.h"

namespace testbuild {

namespace {

using K = BookCorruption;

void PutLE(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  (void)b.at(at + 3);  // a word past the end is the fixture's fault: at() throws
  StoreU32LE(b.data() + at, v);
}

}  // namespace

const std::vector<CorruptionCase>& AllBookCorruptions() {
  static const std::vector<CorruptionCase> cases = {
      {K::kRecord0Short, "record0_short", 8, false},
      {K::kRecord0CutHeader, "record0_cut_header", 8, false},
      {K::kNoMagic, "no_magic", 8, false},
      {K::kNewerVersion, "newer_version", 11, false},
      {K::kRecordSizeTooSmall, "record_size_255", 2, false},
      {K::kRecordSizeTooLarge, "record_size_32769", 2, false},
      {K::kTextCountBeyondRecords, "text_count_beyond_records", 8, false},
      {K::kTruncatedFile, "truncated_file", 8, false},
      {K::kPalmDocBackReference, "palmdoc_back_reference", 8, true},
      {K::kPalmDocDistanceZero, "palmdoc_distance_zero", 8, true},
      {K::kPalmDocLiteralRun, "palmdoc_literal_run", 8, true},
      {K::kPalmDocCutToken, "palmdoc_cut_token", 8, true},
      {K::kPalmDocOverflow, "palmdoc_overflow", 8, true},
      {K::kUncompressedOversize, "uncompressed_oversize", 8, true},
      {K::kRecordDecodesShort, "record_decodes_short", 8, true},
      {K::kTrailingEntryTooLarge, "trailing_entry_too_large", 8, true},
      {K::kCarryTooLarge, "carry_too_large", 8, true},
      {K::kHuffTag, "huff_tag", 8, true},
      {K::kCdicTag, "cdic_tag", 8, true},
      {K::kCdicCodeBits, "cdic_code_bits", 8, true},
      {K::kHuffCacheZeroLength, "huff_cache_zero_length", 8, true},
      {K::kHuffPhraseIndex, "huff_phrase_index", 8, true},
      {K::kCdicPhraseOffset, "cdic_phrase_offset", 8, true},
      {K::kHuffCountZero, "huff_count_zero", 8, true},
      {K::kDatpShort, "datp_short", 8, true},
      {K::kDatpShift, "datp_shift", 8, true},
      {K::kDatpMissing, "datp_missing", 8, true},
  };
  return cases;
}

BookRecipe CorruptionBaseSpec(BookCorruption kind) {
  BookRecipe spec;
  spec.headerVersion = 6;
  spec.codePage = 1252;
  spec.compression = TextCompression::kPalmDoc;
  switch (kind) {
    case K::kUncompressedOversize: spec.compression = TextCompression::kNone; break;
    case K::kTrailingEntryTooLarge: spec.extraFlags = 0x2; break;
    case K::kCarryTooLarge:
      spec.codePage = 65001;
      spec.extraFlags = 0x1;  // only then do the records carry
      break;
    case K::kHuffTag: case K::kCdicTag: case K::kCdicCodeBits: case K::kHuffCacheZeroLength:
    case K::kHuffPhraseIndex: case K::kCdicPhraseOffset: case K::kHuffCountZero: case K::kDatpShort:
    case K::kDatpShift: case K::kDatpMissing:
      spec.compression = TextCompression::kHuffCdic;
      spec.huff.codeBits = 6;  // several CDIC records
      break;
    default: break;
  }
  spec.text = EncodeBookText(SampleText(9000, 5, spec.codePage == 65001 ? 2 : 1), spec.codePage);
  return spec;
}

std::vector<uint8_t> CorruptBookBytes(BuiltBook book, BookCorruption kind) {
  std::vector<uint8_t>& r0 = book.Record(0);
  std::vector<uint8_t>& r1 = book.Record(1);
  const BookRecordMap& layout = book.layout;
  switch (kind) {
    case K::kRecord0Short: r0.resize(30); break;
    case K::kRecord0CutHeader: r0.resize(100); break;
    case K::kNoMagic: r0[16] = 'X'; break;
    case K::kNewerVersion: PutU32BE(r0, 36, 8); break;
    case K::kRecordSizeTooSmall: PutU16BE(r0, 10, 255); break;
    case K::kRecordSizeTooLarge: PutU16BE(r0, 10, 32769); break;
    case K::kTextCountBeyondRecords: PutU16BE(r0, 8, static_cast<uint16_t>(book.db.RecordCount())); break;
    case K::kTruncatedFile: {
      std::vector<uint8_t> bytes = book.Bytes();
      return CorruptPalmDatabase(bytes, PalmCorruption::kTruncatedRecords, 2);
    }
    case K::kPalmDocBackReference: r1 = {'a', 0x80, 2 << 3}; break;
    case K::kPalmDocDistanceZero: r1 = {'a', 'b', 0x80, 0x00}; break;
    case K::kPalmDocLiteralRun: r1 = {'a', 0x08, 'b'}; break;
    case K::kPalmDocCutToken: r1 = {'a', 'b', 0x85}; break;
    case K::kPalmDocOverflow:
      r1 = {'a'};
      for (int i = 0; i < 500; ++i) {
        r1.push_back(0x80);
        r1.push_back((1 << 3) | 7);
      }
      break;
    case K::kUncompressedOversize: r1.assign(4097, 'x'); break;
    case K::kRecordDecodesShort: r1 = EncodePalmDoc(std::vector<uint8_t>(100, 's')); break;
    case K::kTrailingEntryTooLarge:
      r1[r1.size() - 3] = 0x83;
      r1[r1.size() - 2] = 0x7F;
      r1[r1.size() - 1] = 0x7F;
      break;
    case K::kCarryTooLarge: r1 = {'a', 0x0F}; break;
    case K::kHuffTag: book.Record(layout.huffRecord)[0] = 'X'; break;
    case K::kCdicTag: book.Record(layout.huffRecord + 1)[0] = 'X'; break;
    case K::kCdicCodeBits: PutU32BE(book.Record(layout.huffRecord + 1), 12, 17); break;
    case K::kHuffCacheZeroLength:
      for (uint32_t p = 0; p < 256; ++p) PutLE(book.Record(layout.huffRecord), 24 + 4 * p, 0);
      break;
    case K::kHuffPhraseIndex:
      if (layout.cdicCount < 2) throw std::logic_error("needs several CDIC records");
      PutU32BE(r0, 116, 2);
      break;
    case K::kCdicPhraseOffset:
      for (uint32_t i = 0; i < layout.cdicCount; ++i) {
        std::vector<uint8_t>& cdic = book.Record(layout.huffRecord + 1 + i);
        for (size_t at = 16; at + 1 < cdic.size() && at < 16 + 2 * 64; at += 2) PutU16BE(cdic, at, 0xFFFF);
      }
      break;
    case K::kHuffCountZero: PutU32BE(r0, 116, 0); break;
    case K::kDatpShort: book.Record(layout.datpRecord).pop_back(); break;
    case K::kDatpShift: book.Record(layout.datpRecord)[9] = 32; break;
    case K::kDatpMissing: PutU32BE(r0, 120, 0xFFFFFFFFu); break;
  }
  return book.Bytes();
}

}  // namespace testbuild
