// FontTable: what the drawing surface reads of the application's table of
// named fonts. Each font identifier (0-255) names a platform face or a
// bitmap font file; the application owns the table and tells the surface
// (FlushFontCache) when it changes an entry.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

struct FontTableEntry {
  // 0: a platform font face; any other value: a bitmap font file.
  uint8_t kind = 0;
  // The face name or the font file's path, UTF-16, not terminated.
  const WCHAR* name = nullptr;
  uint32_t nameLength = 0;
};

class FontTable {
 public:
  // The entry of an identifier; false when the table holds none for it
  // (the surface then uses identifier 1).
  virtual bool GetEntry(uint8_t id, FontTableEntry* out) const = 0;

 protected:
  ~FontTable() = default;
};
