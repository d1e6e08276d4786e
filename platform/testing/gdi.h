// Test control of the graphics layer: live-object counts, the journal of
// graphics calls, injected creation failures (platform/gdi/gdi_hooks.h), the
// display's metrics and reading pixels back (platform/gdi/bitmap_pixels.h).
//
// ResetGdi() (part of the device reset) forgets the journal and the
// injected failures, restores the default system colours and zeroes the
// counts of objects made so far. Objects a previous test leaked
// stay alive (their handles stay valid) but are no longer counted.
#pragma once

#include "platform/gdi/bitmap_pixels.h"
#include "platform/gdi/display_metrics.h"
#include "platform/gdi/gdi_hooks.h"

namespace devtest {

using devgdi::BitmapPixel;
using devgdi::BitmapPixelRgb;
using devgdi::BitmapPixelsRgb;
using devgdi::DcPixelRgb;
using devgdi::Display;
using devgdi::DisplayMetrics;
using devgdi::WriteBitmapPng;
using devgdi::WriteDcPng;

void ResetGdi();

}  // namespace devtest
