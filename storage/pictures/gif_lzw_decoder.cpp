// GIF pixel data: the variable-length LZW code stream of the first image,
// read least significant bit first across its data sub-blocks, unwound into
// the row of indices; each full row is emitted and the next row chosen (in
// interlace order for an interlaced image).
//
// The code table takes 4 bytes an entry (16-bit prefix, suffix, one byte of
// the unwinding stack): 16 KB for 4096 entries, halved while memory is short
// but never below 2^(minimum code size) entries.
//
// Once 4096 codes are defined, encoders may go on without a clear code; the
// table then stays as it is and decoding goes on with it. A table made
// smaller for lack of memory keeps counting the codes the encoder defines
// past its end, so that the code length still grows in step with the
// encoder's; only a code that lies beyond the entries it holds fails.
// Corrupt streams fail: a code above the next free code or beyond the table,
// a first code after a clear that is not yet in the table, a sub-block that
// passes the end of the data. Data after the last row is ignored.
#include <cstdint>

#include "platform/memory/allocator.h"
#include "storage/pictures/image_decoder.h"

namespace {

constexpr uint32_t kMaxCodeBits = 12;
constexpr uint32_t kMaxTableEntries = 1u << kMaxCodeBits;

// The code stream across the sub-blocks.
class CodeReader {
 public:
  CodeReader(const uint8_t* p, const uint8_t* end) : p_(p), end_(end) {}

  // The next code of `size` bits; -1 at the end of the data (a zero-length
  // sub-block), -2 when a sub-block passes the end of the data.
  int32_t Next(uint32_t size) {
    while (bitCount_ < size) {
      if (blockLeft_ == 0) {
        if (p_ >= end_) return -2;
        uint8_t length = *p_++;
        if (length == 0) return -1;
        if (length > end_ - p_) return -2;
        blockLeft_ = length;
      }
      bits_ |= uint32_t{*p_++} << bitCount_;
      bitCount_ += 8;
      --blockLeft_;
    }
    int32_t code = static_cast<int32_t>(bits_ & ((1u << size) - 1));
    bits_ >>= size;
    bitCount_ -= size;
    return code;
  }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
  uint32_t blockLeft_ = 0;
  uint32_t bits_ = 0;
  uint32_t bitCount_ = 0;
};

}  // namespace

int ImageDecoder::DecodeGifPixels() {
  const uint32_t minCodeSize = lzwMinCodeSize_;
  if (minCodeSize < 2 || minCodeSize > 8) return kImageFailed;
  const uint32_t clear = 1u << minCodeSize;
  const uint32_t endCode = clear + 1;

  uint32_t tableSize = kMaxTableEntries;
  uint8_t* table = nullptr;
  for (;;) {
    table = static_cast<uint8_t*>(DeviceAlloc(4 * tableSize));
    if (table != nullptr) break;
    if (tableSize / 2 < clear) return kImageFailed;
    tableSize /= 2;
  }
  uint16_t* prefix = reinterpret_cast<uint16_t*>(table);
  uint8_t* suffix = table + 2 * tableSize;
  uint8_t* stack = table + 3 * tableSize;

  CodeReader reader(pixelData_, data_ + length_);
  uint32_t codeSize = minCodeSize + 1;
  uint32_t nextFree = clear + 2;
  int32_t previous = -1;
  uint8_t firstChar = 0;
  uint32_t x = 0;
  const uint32_t width = width_;
  rowIndex_ = 0;
  pass_ = 0;
  int result = kImageOk;

  for (;;) {
    int32_t read = reader.Next(codeSize);
    if (read == -1) break;  // the data ends without an end code
    if (read == -2) {
      result = kImageFailed;
      break;
    }
    uint32_t code = static_cast<uint32_t>(read);
    if (code == clear) {
      codeSize = minCodeSize + 1;
      nextFree = clear + 2;
      previous = -1;
      continue;
    }
    if (code == endCode) break;
    if (code > nextFree || code >= tableSize || (previous < 0 && code >= clear)) {
      result = kImageFailed;
      break;
    }

    // Unwind the code's string onto the stack, last character first.
    uint32_t depth = 0;
    uint32_t c = code;
    if (code == nextFree) {
      stack[depth++] = firstChar;  // the previous string plus its first character
      c = static_cast<uint32_t>(previous);
    }
    while (c >= clear) {
      if (depth >= tableSize) break;
      stack[depth++] = suffix[c];
      c = prefix[c];
    }
    if (depth >= tableSize) {
      result = kImageFailed;
      break;
    }
    stack[depth++] = static_cast<uint8_t>(c);
    firstChar = static_cast<uint8_t>(c);

    // A full table defines no more codes; one made smaller only counts them.
    if (previous >= 0 && nextFree < kMaxTableEntries) {
      if (nextFree < tableSize) {
        prefix[nextFree] = static_cast<uint16_t>(previous);
        suffix[nextFree] = firstChar;
      }
      ++nextFree;
      if (nextFree == (1u << codeSize) && codeSize < kMaxCodeBits) ++codeSize;
    }
    previous = static_cast<int32_t>(code);

    bool finished = false;
    while (depth > 0) {
      indexRow_[x++] = stack[--depth];
      if (x < width) continue;
      EmitSegment(0, width);
      x = 0;
      if (ShouldAbortAfterRow()) {
        result = kImageFailed;
        finished = true;
        break;
      }
      if (!AdvanceGifRow()) {
        finished = true;  // every row is out: the rest of the data is ignored
        break;
      }
    }
    if (finished) break;
  }
  DeviceFree(table);
  return result;
}
