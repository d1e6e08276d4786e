// PalmDOC LZ77 encoder (greedy, hash chains) and a small reference decoder.
#include "tests/support/palmdoc_encoder.h"

#include <cstring>

namespace testbuild {

namespace {

constexpr size_t kMaxDistance = 2047;
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 10;
constexpr uint32_t kHashBits = 12;

uint32_t Hash3(const uint8_t* p) {
  return ((p[0] << 16 | p[1] << 8 | p[2]) * 2654435761u) >> (32 - kHashBits);
}

// True for bytes that a literal run must carry.
bool NeedsRun(uint8_t b) { return (b >= 0x01 && b <= 0x08) || b >= 0x80; }

}  // namespace

std::vector<uint8_t> EncodePalmDoc(const uint8_t* data, size_t size) {
  std::vector<uint8_t> out;
  out.reserve(size);
  std::vector<int32_t> head(1u << kHashBits, -1);
  std::vector<int32_t> prev(size, -1);
  auto insert = [&](size_t at) {
    if (at + kMinMatch > size) return;
    uint32_t h = Hash3(data + at);
    prev[at] = head[h];
    head[h] = static_cast<int32_t>(at);
  };

  size_t i = 0;
  while (i < size) {
    // Longest match within the window.
    size_t bestLength = 0, bestDistance = 0;
    if (i + kMinMatch <= size) {
      int chain = 64;
      for (int32_t c = head[Hash3(data + i)]; c >= 0 && chain-- > 0; c = prev[c]) {
        size_t distance = i - static_cast<size_t>(c);
        if (distance > kMaxDistance) break;
        size_t limit = size - i < kMaxMatch ? size - i : kMaxMatch;
        size_t n = 0;
        while (n < limit && data[c + n] == data[i + n]) ++n;
        if (n > bestLength) {
          bestLength = n;
          bestDistance = distance;
          if (n == kMaxMatch) break;
        }
      }
    }
    if (bestLength >= kMinMatch) {
      uint32_t v = 0x8000u | static_cast<uint32_t>(bestDistance << 3) | static_cast<uint32_t>(bestLength - 3);
      out.push_back(static_cast<uint8_t>(v >> 8));
      out.push_back(static_cast<uint8_t>(v));
      for (size_t k = 0; k < bestLength; ++k) insert(i + k);
      i += bestLength;
      continue;
    }
    const uint8_t b = data[i];
    if (b == ' ' && i + 1 < size && data[i + 1] >= 0x40 && data[i + 1] <= 0x7F) {
      out.push_back(static_cast<uint8_t>(data[i + 1] ^ 0x80));
      insert(i);
      insert(i + 1);
      i += 2;
      continue;
    }
    if (!NeedsRun(b)) {
      out.push_back(b);
      insert(i);
      ++i;
      continue;
    }
    // A run of up to eight bytes that cannot stand alone.
    size_t n = 1;
    while (n < 8 && i + n < size && NeedsRun(data[i + n])) ++n;
    out.push_back(static_cast<uint8_t>(n));
    for (size_t k = 0; k < n; ++k) {
      out.push_back(data[i + k]);
      insert(i + k);
    }
    i += n;
  }
  return out;
}

bool DecodePalmDocReference(const std::vector<uint8_t>& input, std::vector<uint8_t>* out) {
  out->clear();
  size_t i = 0;
  while (i < input.size()) {
    uint8_t t = input[i++];
    if (t >= 1 && t <= 8) {
      if (i + t > input.size()) return false;
      out->insert(out->end(), input.begin() + static_cast<long>(i), input.begin() + static_cast<long>(i + t));
      i += t;
    } else if (t < 0x80) {
      out->push_back(t);
    } else if (t >= 0xC0) {
      out->push_back(' ');
      out->push_back(static_cast<uint8_t>(t ^ 0x80));
    } else {
      if (i >= input.size()) return false;
      uint32_t v = (static_cast<uint32_t>(t) << 8) | input[i++];
      size_t distance = (v >> 3) & 0x7FF, length = (v & 7) + 3;
      if (distance == 0 || distance > out->size()) return false;
      for (size_t k = 0; k < length; ++k) out->push_back((*out)[out->size() - distance]);
    }
  }
  return true;
}

}  // namespace testbuild
