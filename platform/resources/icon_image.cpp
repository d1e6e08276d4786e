// Icon images and group directories of the resource format, read with
// every size checked (icon_image.h).
#include "platform/resources/icon_image.h"

#include <cstdlib>
#include <cstring>

namespace devresources {
namespace {

uint16_t Word(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Dword(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
int32_t Long(const uint8_t* p) { return static_cast<int32_t>(Dword(p)); }

size_t RowBytes(int width, int bits) { return ((static_cast<size_t>(width) * bits + 31) / 32) * 4; }

}  // namespace

bool DecodeIconImage(const uint8_t* data, size_t size, IconPixels* out) {
  if (data == nullptr || size < 40 || Dword(data) != 40) return false;
  int32_t width = Long(data + 4);
  int32_t doubled = Long(data + 8);
  uint16_t bits = Word(data + 14);
  uint32_t compression = Dword(data + 16);
  uint32_t used = Dword(data + 32);
  if (width <= 0 || width > 256 || doubled <= 0 || doubled % 2 != 0 || doubled / 2 > 256) return false;
  if (compression != 0) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  int height = doubled / 2;
  size_t colours = 0;
  if (bits <= 8) {
    colours = used != 0 ? used : (1u << bits);
    if (colours > (1u << bits)) return false;
  }
  size_t tableEnd = 40 + colours * 4;
  size_t colourRow = RowBytes(width, bits);
  size_t maskRow = RowBytes(width, 1);
  size_t colourEnd = tableEnd + colourRow * static_cast<size_t>(height);
  size_t maskEnd = colourEnd + maskRow * static_cast<size_t>(height);
  if (maskEnd > size) return false;
  IconPixels icon;
  icon.width = width;
  icon.height = height;
  icon.rgb.assign(static_cast<size_t>(width) * height, 0);
  icon.transparent.assign(static_cast<size_t>(width) * height, 0);
  const uint8_t* table = data + 40;
  for (int y = 0; y < height; ++y) {
    // Rows are stored bottom-up.
    const uint8_t* row = data + tableEnd + colourRow * static_cast<size_t>(height - 1 - y);
    const uint8_t* mask = data + colourEnd + maskRow * static_cast<size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      uint32_t rgb = 0;
      if (bits <= 8) {
        size_t bitOffset = static_cast<size_t>(x) * bits;
        unsigned byte = row[bitOffset / 8];
        unsigned index = (byte >> (8 - bits - bitOffset % 8)) & ((1u << bits) - 1);
        if (index < colours) {
          const uint8_t* q = table + index * 4;
          rgb = (static_cast<uint32_t>(q[2]) << 16) | (static_cast<uint32_t>(q[1]) << 8) | q[0];
        }
      } else {
        const uint8_t* p = row + static_cast<size_t>(x) * (bits / 8);
        rgb = (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
      }
      size_t at = static_cast<size_t>(y) * width + x;
      icon.rgb[at] = rgb;
      icon.transparent[at] = (mask[x / 8] >> (7 - x % 8)) & 1;
    }
  }
  *out = std::move(icon);
  return true;
}

IconPixels ScaleIcon(const IconPixels& icon, int width, int height) {
  IconPixels scaled;
  scaled.width = width;
  scaled.height = height;
  scaled.rgb.resize(static_cast<size_t>(width) * height);
  scaled.transparent.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    int sy = static_cast<int>(static_cast<int64_t>(y) * icon.height / height);
    for (int x = 0; x < width; ++x) {
      int sx = static_cast<int>(static_cast<int64_t>(x) * icon.width / width);
      size_t from = static_cast<size_t>(sy) * icon.width + sx;
      size_t to = static_cast<size_t>(y) * width + x;
      scaled.rgb[to] = icon.rgb[from];
      scaled.transparent[to] = icon.transparent[from];
    }
  }
  return scaled;
}

bool ReadIconGroup(const uint8_t* data, size_t size, std::vector<GroupEntry>* out) {
  if (data == nullptr || size < 6 || Word(data + 2) != 1) return false;
  size_t count = Word(data + 4);
  if (6 + count * 14 > size) return false;
  out->clear();
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = data + 6 + i * 14;
    GroupEntry entry;
    entry.width = e[0] == 0 ? 256 : e[0];
    entry.height = e[1] == 0 ? 256 : e[1];
    entry.imageId = Word(e + 12);
    out->push_back(entry);
  }
  return true;
}

int ChooseGroupEntry(const std::vector<GroupEntry>& entries, int width, int height) {
  int best = -1;
  for (size_t i = 0; i < entries.size(); ++i) {
    const GroupEntry& e = entries[i];
    if (e.width == width && e.height == height) return static_cast<int>(i);
    if (best < 0) {
      best = static_cast<int>(i);
      continue;
    }
    int distance = std::abs(e.width - width);
    int bestDistance = std::abs(entries[static_cast<size_t>(best)].width - width);
    if (distance < bestDistance || (distance == bestDistance && e.width > entries[static_cast<size_t>(best)].width))
      best = static_cast<int>(i);
  }
  return best;
}

}  // namespace devresources
