// Reading one icon image of the device's resource format (resources.h)
// into plain pixels, with every size checked against the bytes. Internal to
// platform/resources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace devresources {

struct IconPixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;       // 0x00RRGGBB, top row first
  std::vector<uint8_t> transparent;  // 1 where the mask lets the background show
};

// False for anything malformed: a header that does not fit or is not 40
// bytes, sizes that are not positive or above 256, a height that is not
// twice the width's image, bit counts other than 1, 4, 8, 24 and 32,
// compression, or rows that run past `size`.
bool DecodeIconImage(const uint8_t* data, size_t size, IconPixels* out);
// Nearest-neighbour scaling to another size (both positive).
IconPixels ScaleIcon(const IconPixels& icon, int width, int height);

struct GroupEntry {
  int width = 0;   // 0 in the directory means 256
  int height = 0;
  unsigned imageId = 0;
};

// The entries of a group directory; false when malformed (the count runs
// past the bytes, or the type is not 1).
bool ReadIconGroup(const uint8_t* data, size_t size, std::vector<GroupEntry>* out);
// The entry for a size: exactly that size, else the nearest in width, the
// larger on a tie; -1 for an empty group.
int ChooseGroupEntry(const std::vector<GroupEntry>& entries, int width, int height);

}  // namespace devresources
