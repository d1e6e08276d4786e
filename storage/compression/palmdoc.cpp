// The PalmDOC LZ77 decoder and its length count. The decoder writes straight
// into the output block (the block is the decode store's record, writable in
// place), checking each token against what remains of input and output.
#include "storage/compression/palmdoc.h"

#include <cstring>

#include "storage/container/record_buffer.h"

namespace {

void Copy8(uint8_t* to, const uint8_t* from) {
  uint64_t eight;
  std::memcpy(&eight, from, 8);
  std::memcpy(to, &eight, 8);
}

// The tokens of a record while at least 9 input bytes and 16 bytes of room
// are left: every token then fits, so copies move whole words (a literal
// run of n bytes copies 8, a back-reference 16, read before they are
// written) and only the corrupt back-references need a test. Bytes written
// beyond a token's length are overwritten by the next token or lie beyond
// the produced text. Stops at the first corrupt token, with `in` at it.
bool DecodeWithRoom(const uint8_t* input, uint32_t length, uint8_t* out, uint32_t capacity, uint32_t* inAt,
                    uint32_t* outAt) {
  uint32_t in = *inAt;
  uint32_t o = *outAt;
  bool ok = true;
  while (length - in >= 9 && capacity - o >= 16) {
    const uint32_t token = input[in];
    if (token >= 0x01 && token <= 0x08) {
      Copy8(out + o, input + in + 1);
      in += 1 + token;
      o += token;
    } else if (token < 0x80) {
      out[o++] = static_cast<uint8_t>(token);
      ++in;
    } else if (token >= 0xC0) {
      out[o] = ' ';
      out[o + 1] = static_cast<uint8_t>(token ^ 0x80);
      o += 2;
      ++in;
    } else {
      const uint32_t v = (token << 8) | input[in + 1];
      const uint32_t distance = (v >> 3) & 0x7FF;
      const uint32_t count = (v & 7) + 3;
      if (distance == 0 || distance > o) {
        ok = false;
        break;
      }
      uint8_t* to = out + o;
      const uint8_t* from = to - distance;
      if (distance >= count) {
        uint64_t first, second;
        std::memcpy(&first, from, 8);
        std::memcpy(&second, from + 8, 8);
        std::memcpy(to, &first, 8);
        std::memcpy(to + 8, &second, 8);
      } else {
        // Overlapping: each byte may be one this copy has just written.
        for (uint32_t i = 0; i < count; ++i) to[i] = from[i];
      }
      in += 2;
      o += count;
    }
  }
  *inAt = in;
  *outAt = o;
  return ok;
}

}  // namespace

PalmDocResult DecodePalmDoc(const uint8_t* input, uint32_t length, uint8_t* out, uint32_t capacity,
                            uint32_t* produced) {
  uint32_t in = 0;
  uint32_t o = 0;
  PalmDocResult result = PalmDocResult::kOk;
  // The bulk of the record, then its last tokens one checked step at a time.
  if (!DecodeWithRoom(input, length, out, capacity, &in, &o)) {
    *produced = o;
    return PalmDocResult::kCorrupt;
  }
  while (in < length) {
    const uint32_t token = input[in++];
    if (token >= 0x01 && token <= 0x08) {
      if (token > length - in) {
        result = PalmDocResult::kCorrupt;
        break;
      }
      if (token > capacity - o) {
        result = PalmDocResult::kOutputFull;
        break;
      }
      std::memcpy(out + o, input + in, token);
      in += token;
      o += token;
    } else if (token < 0x80) {
      if (o == capacity) {
        result = PalmDocResult::kOutputFull;
        break;
      }
      out[o++] = static_cast<uint8_t>(token);
    } else if (token >= 0xC0) {
      if (capacity - o < 2) {
        result = PalmDocResult::kOutputFull;
        break;
      }
      out[o++] = ' ';
      out[o++] = static_cast<uint8_t>(token ^ 0x80);
    } else {
      if (in == length) {  // the second byte is missing
        result = PalmDocResult::kCorrupt;
        break;
      }
      const uint32_t v = (token << 8) | input[in++];
      const uint32_t distance = (v >> 3) & 0x7FF;
      const uint32_t count = (v & 7) + 3;
      if (distance == 0 || distance > o) {
        result = PalmDocResult::kCorrupt;
        break;
      }
      if (count > capacity - o) {
        result = PalmDocResult::kOutputFull;
        break;
      }
      const uint8_t* from = out + o - distance;
      if (distance >= count) {
        std::memcpy(out + o, from, count);
      } else {
        // Overlapping: each byte may be one this copy has just written.
        for (uint32_t i = 0; i < count; ++i) out[o + i] = from[i];
      }
      o += count;
    }
  }
  *produced = o;
  return result;
}

bool DecompressPalmDoc(const uint8_t* input, uint32_t length, RecordBuffer* output, uint32_t limit,
                       uint32_t* outLength) {
  *outLength = 0;
  if (output == nullptr) return false;
  uint8_t* out = output->GetWritableData();
  if (out == nullptr) return false;
  uint32_t capacity = output->GetSize();
  if (limit < capacity) capacity = limit;
  return DecodePalmDoc(input, length, out, capacity, outLength) == PalmDocResult::kOk;
}

uint32_t PalmDocDecodedLength(const uint8_t* input, uint32_t length) {
  uint32_t total = 0;
  uint32_t in = 0;
  while (in < length) {
    const uint32_t token = input[in++];
    if (token >= 0x01 && token <= 0x08) {
      total += token;
      in += token < length - in ? token : length - in;
    } else if (token < 0x80) {
      total += 1;
    } else if (token >= 0xC0) {
      total += 2;
    } else {
      total += in < length ? (input[in] & 7) + 3 : 3;
      ++in;
    }
  }
  return total;
}
