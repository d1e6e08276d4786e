// Fuzz target: untrusted pictures through the GIF and BMP decoder. The first
// four bytes choose the output (depth, size, options, scale, clip, offset,
// row callback); the rest is the picture, copied into an exactly sized
// block. The output is fenced with guard bytes that must stay untouched.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "storage/pictures/image_decoder.h"

namespace {

constexpr uint8_t kGuard = 0xA7;
constexpr size_t kFence = 32;

void TouchRow(void* context, const uint8_t* indices, uint32_t count, uint32_t, int32_t, const uint8_t*) {
  uint32_t sum = 0;
  for (uint32_t i = 0; i < count; ++i) sum += indices[i];
  *static_cast<uint32_t*>(context) += sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4 || size > (1u << 20)) return 0;
  const uint8_t a = data[0], b = data[1], c = data[2], e = data[3];
  std::vector<uint8_t> picture(data + 4, data + size);
  ImageDecoder d(picture.empty() ? nullptr : picture.data(), static_cast<uint32_t>(picture.size()));
  uint8_t palette[256 * 4];
  d.GetPalette32(palette);
  if (!d.IsDecodable()) return 0;

  const uint8_t depths[] = {1, 2, 4, 8, 16, 8, 8, 16};
  const uint8_t depth = depths[a & 7];
  // Full size for small pictures (the reference case), else a small window.
  const bool full = (a & 8) && d.Width() <= 256 && d.Height() <= 256;
  const uint16_t ow = full ? d.Width() : static_cast<uint16_t>(1 + (b & 63));
  const uint16_t oh = full ? d.Height() : static_cast<uint16_t>(1 + (c & 63));
  const uint32_t stride = (uint32_t{ow} * depth + 7) / 8;
  std::vector<uint8_t> out(size_t{stride} * oh + 2 * kFence, kGuard);
  uint8_t* pixels = out.data() + kFence;
  std::memset(pixels, 0, size_t{stride} * oh);

  d.SetOptions(a & 16, a & 32, a & 64, !(a & 128), true);
  if (e & 1) d.SetScale(1 + ((e >> 1) & 3), 4, 1 + ((e >> 3) & 3), 4);
  if (e & 32) d.SetClip((b >> 6) - 1, (c >> 6) - 1, ow - (b >> 6), oh - (c >> 6));
  uint32_t sum = 0;
  const bool callback = e & 64;
  if (d.SetOutput(ow, oh, depth, (e & 128) && callback ? nullptr : pixels, 0, callback ? TouchRow : nullptr, &sum,
                  false) != kImageOk)
    __builtin_trap();
  d.Decode(full ? 0 : static_cast<int32_t>(b >> 6) - 2, full ? 0 : static_cast<int32_t>(c >> 6) - 2);

  for (size_t i = 0; i < kFence; ++i)
    if (out[i] != kGuard || out[out.size() - 1 - i] != kGuard) __builtin_trap();
  return 0;
}
