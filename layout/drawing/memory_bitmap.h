// MemoryBitmap: a bitmap selected into a memory device context of its own
// (a saved screen area, an off-screen page image, a DIB section made by
// the surface). A zeroed record is empty; it is valid for drawing when both
// the DC and the bitmap are set.
#pragma once

#include "foundation/geometry/rect.h"
#include "platform/types/gdi_handles.h"

struct MemoryBitmap {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;  // the DC's bitmap before ours was selected

  bool IsValid() const { return dc != nullptr && bitmap != nullptr; }
  // Selects the previous bitmap back, deletes the bitmap and the DC and
  // zeroes the record.
  void Release();
};

// A memory bitmap the surface draws into instead of its window
// (SetTargetBitmap), with the rectangle drawn since its owner last looked.
struct TargetBitmap {
  MemoryBitmap image;
  int32_t width = 0;
  int32_t height = 0;
  Rect dirty;
};
