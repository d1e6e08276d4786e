// The tooltip pop-up window.
#include "platform/controls/tooltip.h"

#include <algorithm>

#include "platform/controls/control_support.h"

namespace devcontrols {
namespace {

LRESULT TooltipProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    HFONT font = reinterpret_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    PaintScope paint(window, font);
    RECT client;
    GetClientRect(window, &client);
    FillSolid(paint.dc(), client, SysColour(COLOR_INFOBK));
    FrameSolid(paint.dc(), client, SysColour(COLOR_WINDOWFRAME));
    SetTextColor(paint.dc(), SysColour(COLOR_INFOTEXT));
    std::u16string text(static_cast<size_t>(GetWindowTextLengthW(window)), u'\0');
    if (!text.empty()) GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1);
    DrawTextIn(paint.dc(), text, client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool RegisterTooltipClass() { return RegisterControlClass(u"tooltips_class32", TooltipProc); }

HWND ShowTooltip(HWND owner, const std::u16string& text, POINT at) {
  int width = 0;
  {
    MeasureScope measure(reinterpret_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    width = TextWidth(measure.dc(), text) + Scaled(8);
  }
  int height = LineHeight(reinterpret_cast<HFONT>(GetStockObject(SYSTEM_FONT))) + Scaled(4);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int x = std::clamp(static_cast<int>(at.x), 0, std::max(0, screenWidth - width));
  int y = std::clamp(static_cast<int>(at.y), 0, std::max(0, screenHeight - height));
  HWND top = owner;
  while (GetParent(top) && (GetWindowLongW(top, GWL_STYLE) & WS_CHILD)) top = GetParent(top);
  HWND tip = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, u"tooltips_class32", text.c_str(), WS_POPUP, x, y, width,
                             height, top, nullptr, nullptr, nullptr);
  if (tip) ShowWindow(tip, SW_SHOWNOACTIVATE);
  return tip;
}

}  // namespace devcontrols
