// What the graphics calls share among themselves: the journal of calls,
// colour and raster-operation helpers, and access to the stock objects.
// Not for callers outside platform/gdi.
#pragma once

#include <cstdint>

#include "platform/gdi/bitmap_object.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/gdi_objects.h"

namespace gdi_internal {

// Whether the journal is on; the calls format their line only then. The
// journal exists in test builds only.
#ifdef TESSALYN_TEST_HOOKS
bool JournalOn();
// Appends a formatted line (printf-style) to the journal when it is on.
void Journal(const char* format, ...) __attribute__((format(printf, 1, 2)));
#else
constexpr bool JournalOn() { return false; }
inline void Journal(const char*, ...) {}
#endif

// A DC from its handle, or null (the call then fails).
inline DeviceContext* Dc(HDC dc) { return LiveDeviceContext(dc); }

PenObject* StockPen(int index);
BrushObject* StockBrush(int index);
BitmapObject* StockBitmap();
HGDIOBJ StockFont(int index);

// The pen and brush a DC holds (null for PS_NULL or BS_NULL).
const PenObject* DrawingPen(DeviceContext* dc);
const BrushObject* DrawingBrush(DeviceContext* dc);

// The display's metrics: devtest::Display(), read from the device profile.
int DisplayWidth();
int DisplayHeight();
int DisplayDpi();
int DisplayBitsPerPixel();

// Blits part of a bitmap (source coordinates of the bitmap itself),
// scaled, into a DC under a ternary raster operation (its byte 2); where
// `mask` (monochrome, read at source + mask offset) has 1, the target is
// left alone. Icons and image lists draw with it.
bool BlitFromBitmap(DeviceContext* dc, int x, int y, int width, int height, const BitmapObject* source, int sx,
                    int sy, int sw, int sh, uint32_t rop3, const BitmapObject* mask = nullptr, int maskDx = 0,
                    int maskDy = 0);

}  // namespace gdi_internal
