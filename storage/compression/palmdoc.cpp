// The PalmDOC LZ77 decoder and its length count. The decoder writes straight
// into the output block (the block is the decode store's record, writable in
// place), checking each token against what remains of input and output.
#include "storage/compression/palmdoc.h"

#include <cstring>

#include "storage/container/record_buffer.h"

PalmDocResult DecodePalmDoc(const uint8_t* input, uint32_t length, uint8_t* out, uint32_t capacity,
                            uint32_t* produced) {
  uint32_t in = 0;
  uint32_t o = 0;
  PalmDocResult result = PalmDocResult::kOk;
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
