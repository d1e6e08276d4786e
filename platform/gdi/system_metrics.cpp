// The display's metrics, GetSystemMetrics and the system colours with
// their brushes. Sizes of the system's furniture grow with the dots per
// inch from their 96-dpi values.
#include <atomic>
#include <mutex>

#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/testing/gdi.h"

using namespace gdi_internal;

namespace {

std::mutex displayLock;
devtest::DisplayMetrics display;

constexpr COLORREF kDefaultColours[kSystemColorCount] = {
    RGB(200, 200, 200),  // COLOR_SCROLLBAR
    RGB(0, 128, 128),    // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(255, 255, 255),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(223, 223, 223),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(255, 255, 255),  // COLOR_STATIC
    RGB(0, 0, 0),        // COLOR_STATICTEXT
    RGB(16, 132, 208),   // COLOR_GRADIENTACTIVECAPTION
    RGB(181, 181, 181),  // COLOR_GRADIENTINACTIVECAPTION
};

std::atomic<COLORREF> colours[kSystemColorCount];
BrushObject* colourBrushes[kSystemColorCount];
std::once_flag coloursMade;

void MakeColours() {
  std::call_once(coloursMade, [] {
    for (int i = 0; i < kSystemColorCount; ++i) {
      colours[i] = kDefaultColours[i];
      colourBrushes[i] = new BrushObject(false);
      colourBrushes[i]->stock = true;
      colourBrushes[i]->colour = kDefaultColours[i];
    }
  });
}

int ColourIndex(int index) {
  index &= ~SYS_COLOR_INDEX_FLAG;
  return index >= 0 && index < kSystemColorCount ? index : -1;
}

int Scaled(int size96) { return (size96 * DisplayDpi() + 48) / 96; }

}  // namespace

namespace gdi_internal {

int DisplayWidth() {
  std::lock_guard<std::mutex> guard(displayLock);
  return display.width;
}
int DisplayHeight() {
  std::lock_guard<std::mutex> guard(displayLock);
  return display.height;
}
int DisplayDpi() {
  std::lock_guard<std::mutex> guard(displayLock);
  return display.dpi;
}
int DisplayBitsPerPixel() {
  std::lock_guard<std::mutex> guard(displayLock);
  return display.bitsPerPixel;
}

}  // namespace gdi_internal

DWORD GetSysColor(int index) {
  MakeColours();
  const int i = ColourIndex(index);
  return i < 0 ? 0 : colours[i].load();
}

HBRUSH GetSysColorBrush(int index) {
  MakeColours();
  const int i = ColourIndex(index);
  return i < 0 ? nullptr : colourBrushes[i];
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN: return DisplayWidth();
    case SM_CYSCREEN: return DisplayHeight();
    case SM_CYFULLSCREEN: return DisplayHeight() - Scaled(26);
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return Scaled(13);
    case SM_CYCAPTION:
    case SM_CYMENU: return Scaled(26);
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXICON:
    case SM_CYICON: return Scaled(32);
    case SM_CXSMICON:
    case SM_CYSMICON: return Scaled(16);
    case SM_CXICONSPACING:
    case SM_CYICONSPACING: return Scaled(75);
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return Scaled(4);
    default: return 0;
  }
}

namespace devtest {

DisplayMetrics Display() {
  std::lock_guard<std::mutex> guard(displayLock);
  return display;
}

void SetDisplay(const DisplayMetrics& metrics) {
  std::lock_guard<std::mutex> guard(displayLock);
  display = metrics;
}

void SetSysColorForTest(int index, COLORREF colour) {
  MakeColours();
  const int i = ColourIndex(index);
  if (i < 0) return;
  colours[i] = colour;
  colourBrushes[i]->colour = colour;
}

void ResetSystemColoursAndDisplay() {
  MakeColours();
  for (int i = 0; i < kSystemColorCount; ++i) {
    colours[i] = kDefaultColours[i];
    colourBrushes[i]->colour = kDefaultColours[i];
  }
  std::lock_guard<std::mutex> guard(displayLock);
  display = DisplayMetrics{};
}

}  // namespace devtest
