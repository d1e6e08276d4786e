// A HUFF/CDIC encoder for building test books, and the DATP text-offset
// tables that go with it.
//
// The dictionary holds every single byte (so any text can be coded), the
// frequent words of the text as plain phrases, and frequent word pairs and
// triples as compressed phrases: a pair is stored as the codes of its word,
// separator and word, a triple as the codes of a pair, a separator and a
// word, so phrases nest two deep. Code lengths come from a Huffman tree over
// the symbols' use; codes are canonical with the longest codes lowest, which
// is what the decoder's "raise the length while the code is below the lowest
// of its length" needs, and the all-zero code is always longer than 8 bits,
// so the zero bits that pad a stream to a byte never complete a code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace testbuild {

struct HuffCdicOptions {
  uint32_t codeBits = 0;           // k; 0 picks the largest that keeps each CDIC record's area in 64 KB
  bool finalCacheEntries = true;   // false: every cache entry a lower bound of 1, so lengths are raised
  bool nestedPhrases = true;       // pairs and triples as compressed phrases
  uint32_t maxWords = 6000;        // plain word phrases kept
  uint32_t maxNested = 3000;       // compressed phrases kept
};

class HuffCdicEncoder {
 public:
  // The dictionary is built from the whole text of the book.
  HuffCdicEncoder(const std::vector<uint8_t>& text, const HuffCdicOptions& options = {});

  // One text record's bits, zero-padded to a byte.
  std::vector<uint8_t> Encode(const uint8_t* data, size_t size) const;

  const std::vector<uint8_t>& HuffRecord() const { return huff_; }
  const std::vector<std::vector<uint8_t>>& CdicRecords() const { return cdic_; }
  uint32_t CodeBits() const { return codeBits_; }
  uint32_t MaxCodeLength() const { return maxLength_; }
  size_t PhraseCount() const { return symbols_.size(); }
  size_t NestedPhraseCount() const { return nestedCount_; }

  // Reference decoding of one record with the encoder's own tables (as a
  // check of the encoder, independent of the system's decoder).
  std::vector<uint8_t> DecodeReference(const std::vector<uint8_t>& bits) const;

 private:
  struct Symbol {
    std::vector<uint8_t> bytes;   // the expansion
    std::vector<uint32_t> parts;  // for a compressed phrase: its symbols
    uint64_t uses = 1;
    uint32_t length = 0;          // code length
    uint32_t code = 0;
    uint32_t index = 0;           // dictionary index
  };

  void Tokenize(const uint8_t* data, size_t size, std::vector<std::string>* tokens) const;
  void Parse(const uint8_t* data, size_t size, std::vector<uint32_t>* out) const;
  void AssignCodes();
  void WriteTables(const HuffCdicOptions& options);
  void AppendCodes(const std::vector<uint32_t>& symbols, std::vector<uint8_t>* out) const;

  std::vector<Symbol> symbols_;
  std::unordered_map<std::string, uint32_t> words_;   // plain word phrases
  std::unordered_map<std::string, uint32_t> nested_;  // compressed phrases by expansion
  size_t nestedCount_ = 0;
  uint32_t maxLength_ = 0;
  uint32_t codeBits_ = 0;
  std::vector<uint32_t> byIndex_;  // dictionary index -> symbol
  std::vector<uint32_t> lowest_;   // the code-limit table, by code length
  std::vector<uint32_t> highest_;
  std::vector<uint8_t> huff_;
  std::vector<std::vector<uint8_t>> cdic_;
};

// DATP records for text records of the given decoded lengths: `perRecord`
// text records per DATP record (0: all in one), checkpoints every 2^shift.
std::vector<std::vector<uint8_t>> BuildTextOffsetRecords(const std::vector<uint32_t>& lengths, uint32_t shift,
                                                         uint32_t perRecord);

}  // namespace testbuild
