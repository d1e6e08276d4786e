// Test control of the graphics layer: live-object counts, the journal of
// graphics calls, injected creation failures, the display's metrics and
// reading pixels back.
//
// ResetGdi() (part of the device reset) forgets the journal and the
// injected failures, restores the default system colours and zeroes the
// counts of objects made so far. Objects a previous test leaked
// stay alive (their handles stay valid) but are no longer counted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/gdi_object.h"
#include "platform/types/color_ref.h"
#include "platform/types/gdi_handles.h"

namespace devtest {

// Objects of a kind made since the reset and not yet destroyed (stock
// objects and the platform's own surfaces excluded).
int LiveGdiObjects(GdiKind kind);
// Objects of a kind made since the reset, destroyed or not.
int CreatedGdiObjects(GdiKind kind);

// The journal: one line per graphics call while it is on, e.g.
// "CreatePen(0,1,0x0000ff)" or "Rectangle(1,2,3,4)". Off after a reset.
void SetGdiJournal(bool on);
std::vector<std::string> GdiJournal();
void ClearGdiJournal();
// Lines of the journal that start with `call` followed by '('.
int GdiJournalCount(const std::string& call);

// Injected failures: the n-th creation of the kind from now (1 = the next
// one) fails, and every later one too when `sticky`. Bitmaps covers
// CreateBitmap and CreateCompatibleBitmap; DibSections CreateDIBSection;
// Fonts is the font engine's CreateFontIndirectW.
enum class GdiFailure { Bitmaps, DibSections, Fonts };
void FailGdiCreation(GdiFailure what, int nth = 1, bool sticky = false);
// Consumed by the creating calls: whether this creation is to fail.
bool ShouldFailGdiCreation(GdiFailure what);

// The display the graphics layer reports (GetDeviceCaps, GetSystemMetrics,
// compatible bitmaps of a screen DC): the device profile's screen, read at
// every call and turned as the display orientation says (a quarter turn
// swaps width and height). SetDisplay is a shorthand that writes those
// metrics into the profile (as the device is held upright), so the windows
// layer's screen follows too; ResetProfile restores the default display.
struct DisplayMetrics {
  int width = 240;
  int height = 320;
  int dpi = 96;
  int bitsPerPixel = 16;
};
DisplayMetrics Display();
void SetDisplay(const DisplayMetrics& display);

void SetSysColorForTest(int index, COLORREF colour);

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

void ResetGdi();

}  // namespace devtest
