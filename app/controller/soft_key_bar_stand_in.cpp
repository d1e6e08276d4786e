// The recording stand-in of a soft-key bar.
#include "app/controller/soft_key_bar_stand_in.h"

#include "foundation/system/late_bound_apis.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

bool SoftKeyBarStandIn::Create(HWND owner, bool makeMenuBar) {
  if (!makeMenuBar || owner == nullptr) return true;
  SHMENUBARINFO info{};
  info.cbSize = sizeof(info);
  info.hwndParent = owner;
  info.dwFlags = SHCMBF_EMPTYBAR;
  if (CallSHCreateMenuBar(&info)) menuBar_ = info.hwndMB;
  return true;
}

void SoftKeyBarStandIn::Show(bool show) {
  shown_ = show;
  if (show) ++showCount_;
  if (menuBar_ != nullptr) ShowWindow(menuBar_, show ? SW_SHOW : SW_HIDE);
}
