// The display the graphics layer reports (GetDeviceCaps, GetSystemMetrics,
// compatible bitmaps of a screen DC): the device profile's screen, read at
// every call and turned as the display orientation says (a quarter turn
// swaps width and height).
#pragma once

namespace devgdi {

struct DisplayMetrics {
  int width = 240;
  int height = 320;
  int dpi = 96;
  int bitsPerPixel = 16;
};

DisplayMetrics Display();

}  // namespace devgdi
