// The display's metrics, GetSystemMetrics and the system colours with
// their brushes. Sizes of the system's furniture grow with the dots per
// inch from their 96-dpi values.
//
// The display is read from the device profile at every use, turned as the
// display orientation says, so the graphics calls agree with the profile
// from its first setting on, whether or not a window has touched the
// screen yet; the windows layer's screen bitmap follows the same two.
#include <atomic>
#include <mutex>
#include <utility>

#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/display_metrics.h"
#include "platform/shell/display_settings.h"
#include "platform/core/device_profile.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/gdi/gdi_hooks.h"
#include "platform/core/profile_hooks.h"
#endif

using namespace gdi_internal;

namespace {

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

bool QuarterTurn(DWORD orientation) { return orientation == DMDO_90 || orientation == DMDO_270; }

}  // namespace

namespace gdi_internal {

int DisplayWidth() { return devgdi::Display().width; }
int DisplayHeight() { return devgdi::Display().height; }
int DisplayDpi() { return devgdi::Display().dpi; }
int DisplayBitsPerPixel() { return devgdi::Display().bitsPerPixel; }

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

namespace devgdi {

DisplayMetrics Display() {
  devsystem::DeviceProfile profile = devsystem::Profile();
  DisplayMetrics display;
  display.width = profile.screenWidth;
  display.height = profile.screenHeight;
  // A profile without a resolution would make sizes in millimetres divide
  // by zero: such a display counts as the default 96 dpi.
  display.dpi = profile.dpi > 0 ? profile.dpi : 96;
  display.bitsPerPixel = profile.bitsPerPixel;
  if (QuarterTurn(devshell::CurrentDisplayOrientation())) std::swap(display.width, display.height);
  return display;
}

}  // namespace devgdi

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

void SetDisplay(const devgdi::DisplayMetrics& metrics) {
  devsystem::DeviceProfile profile = devsystem::Profile();
  bool turned = QuarterTurn(devshell::CurrentDisplayOrientation());
  profile.screenWidth = turned ? metrics.height : metrics.width;
  profile.screenHeight = turned ? metrics.width : metrics.height;
  profile.dpi = metrics.dpi;
  profile.bitsPerPixel = metrics.bitsPerPixel;
  SetProfile(profile);
}

void SetSysColorForTest(int index, COLORREF colour) {
  MakeColours();
  const int i = ColourIndex(index);
  if (i < 0) return;
  colours[i] = colour;
  colourBrushes[i]->colour = colour;
}

void ResetSystemColours() {
  MakeColours();
  for (int i = 0; i < kSystemColorCount; ++i) {
    colours[i] = kDefaultColours[i];
    colourBrushes[i]->colour = kDefaultColours[i];
  }
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
