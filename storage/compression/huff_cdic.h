// HUFF/CDIC: the Huffman code over a phrase dictionary with which books of
// compression "DH" keep their text records. The HUFF record holds the code's
// tables, the CDIC records the phrases; a phrase is either plain bytes or
// itself a stream of codes, expanded before the outer stream goes on.
//
// HUFF record (big-endian unless marked LE):
//   0 "HUFF"; 4 header length; 8, 12 offsets of big-endian table copies
//   (unused); 16 offset of the cache table, 256 x u32 LE; 20 offset of the
//   code-limit table, 32 x (u32 LE lowest code, u32 LE highest code), one
//   pair per code length 1..32.
// Cache entry (indexed by the next 8 bits): bits 0-4 the code length; bit 7
// set: the length is final and bits 8-31 hold the highest code of it; clear:
// a lower bound, raised while the code is below the lowest of its length.
// The phrase index is highest - code; its CDIC record index >> k, its slot
// index % 2^k.
// CDIC record: 0 "CDIC"; 4 header length H (the phrase area starts there);
// 8 phrase count (unused); 12 code bits k. At H: u16 offsets of the phrases
// from H; at a phrase: u16 (bit 15 set plain, clear compressed; bits 0-14 its
// length), then its bytes.
//
// The tables are used in place (pointers into the held records), converted
// only for the small cache and limit tables. Everything read from them is
// checked: a code length of 0, a length raised past 32, a phrase index past
// the CDIC records, a phrase offset or length outside its record, output past
// the limit, nesting deeper than 31 phrases and a runaway amount of decoding
// work all refuse the record.
#pragma once

#include <cstdint>

class RecordBuffer;

enum class HuffCdicResult : int32_t {
  kOk = 0,
  kCorrupt = 1,
  kOutputFull = 2,
};

class HuffCdicDecoder {
 public:
  static constexpr uint32_t kMaxCodeBits = 16;  // phrases per CDIC record: 2^k
  static constexpr uint32_t kMaxNesting = 31;   // phrases inside phrases

  HuffCdicDecoder() = default;
  ~HuffCdicDecoder() { Reset(); }
  HuffCdicDecoder(const HuffCdicDecoder&) = delete;
  HuffCdicDecoder& operator=(const HuffCdicDecoder&) = delete;

  // Takes the HUFF record and count CDIC records (count >= 1). The records
  // must stay valid until Reset. False (nothing kept) when a tag, an offset
  // or k is bad, or memory runs out.
  bool Init(const uint8_t* huff, uint32_t huffSize, const uint8_t* const* cdic, const uint32_t* cdicSizes,
            uint32_t count);
  void Reset();
  bool IsLoaded() const { return areas_ != nullptr; }
  uint32_t CodeBits() const { return codeBits_; }

  // Decodes one record into out (capacity bytes); *produced is the bytes
  // written, also on failure. A trailing code whose bits are not all there
  // ends the stream it is in.
  HuffCdicResult Decode(const uint8_t* input, uint32_t length, uint8_t* out, uint32_t capacity,
                        uint32_t* produced) const;

 private:
  struct PhraseArea {
    const uint8_t* bytes;
    uint32_t size;
  };

  uint32_t cache_[256] = {};
  uint32_t lowest_[33] = {};   // by code length 1..32
  uint32_t highest_[33] = {};
  PhraseArea* areas_ = nullptr;
  uint32_t areaCount_ = 0;
  uint32_t codeBits_ = 0;
};

// Decodes into the writable bytes of output, at most min(limit, its size)
// bytes. False on any refusal; *outLength is the length written.
bool DecompressHuffCdic(const uint8_t* input, uint32_t length, const HuffCdicDecoder& decoder,
                        RecordBuffer* output, uint32_t limit, uint32_t* outLength);
