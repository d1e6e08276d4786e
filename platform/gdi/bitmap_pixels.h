// Pixels of a bitmap read back as 0x00RRGGBB, and pictures of bitmaps written
// as PNG files: what the headless screen's screenshots and the developer
// tools are made of.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types/color_ref.h"
#include "platform/types/gdi_handles.h"

namespace devgdi {

// Pixels of a bitmap (HBITMAP) or of a DC's target at DC logical
// coordinates, as 0x00RRGGBB or as COLORREF. Out of range: 0xFFFFFFFF.
uint32_t BitmapPixelRgb(HBITMAP bitmap, int x, int y);
COLORREF BitmapPixel(HBITMAP bitmap, int x, int y);
uint32_t DcPixelRgb(HDC dc, int x, int y);
// A whole bitmap as rows of 0x00RRGGBB.
std::vector<uint32_t> BitmapPixelsRgb(HBITMAP bitmap, int* width = nullptr, int* height = nullptr);
// Writes a bitmap, or a DC's target, as a PNG; false on failure.
bool WriteBitmapPng(HBITMAP bitmap, const std::string& path);
bool WriteDcPng(HDC dc, const std::string& path);

}  // namespace devgdi
