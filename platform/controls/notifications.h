// What every control sends its parent: the WM_NOTIFY header and the common
// notification codes, the custom-draw record with its stages and answers,
// and the tap-and-hold notification (code 1000, GN_CONTEXTMENU).
//
// Notifications are sent synchronously to the parent: WM_COMMAND with the
// code in the high word of wParam, the control's id in the low word and the
// control in lParam; WM_NOTIFY with wParam the id and lParam a record that
// starts with NMHDR. Records keep their device fields and roles; members
// that hold pointers or item data are pointer-sized.
#pragma once

#include "platform/types/device_types.h"
#include "platform/types/gdi_handles.h"
#include "platform/types/geometry_types.h"
#include "platform/types/window_handle.h"

struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};

// Codes shared by the controls (negative numbers carried in a UINT).
constexpr UINT NM_CLICK = static_cast<UINT>(-2);
constexpr UINT NM_DBLCLK = static_cast<UINT>(-3);
constexpr UINT NM_RETURN = static_cast<UINT>(-4);
constexpr UINT NM_RCLICK = static_cast<UINT>(-5);
constexpr UINT NM_SETFOCUS = static_cast<UINT>(-7);
constexpr UINT NM_KILLFOCUS = static_cast<UINT>(-8);
constexpr UINT NM_CUSTOMDRAW = static_cast<UINT>(-12);

// Custom draw: the stage, the owner's answer and the item's state.
struct NMCUSTOMDRAW {
  NMHDR hdr;
  DWORD dwDrawStage;
  HDC hdc;
  RECT rc;
  DWORD_PTR dwItemSpec;
  UINT uItemState;
  LPARAM lItemlParam;
};
constexpr DWORD CDDS_PREPAINT = 0x00000001;
constexpr DWORD CDDS_POSTPAINT = 0x00000002;
constexpr DWORD CDDS_ITEM = 0x00010000;
constexpr DWORD CDDS_SUBITEM = 0x00020000;
constexpr DWORD CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
constexpr DWORD CDDS_ITEMPOSTPAINT = CDDS_ITEM | CDDS_POSTPAINT;
constexpr DWORD CDDS_SUBITEMPREPAINT = CDDS_SUBITEM | CDDS_ITEMPREPAINT;    // 0x30001
constexpr DWORD CDDS_SUBITEMPOSTPAINT = CDDS_SUBITEM | CDDS_ITEMPOSTPAINT;  // 0x30002
constexpr LRESULT CDRF_DODEFAULT = 0x00;
constexpr LRESULT CDRF_NEWFONT = 0x02;
constexpr LRESULT CDRF_SKIPDEFAULT = 0x04;
constexpr LRESULT CDRF_NOTIFYPOSTPAINT = 0x10;
constexpr LRESULT CDRF_NOTIFYITEMDRAW = 0x20;
constexpr LRESULT CDRF_NOTIFYSUBITEMDRAW = 0x20;
constexpr UINT CDIS_SELECTED = 0x0001;
constexpr UINT CDIS_GRAYED = 0x0002;
constexpr UINT CDIS_DISABLED = 0x0004;
constexpr UINT CDIS_CHECKED = 0x0008;
constexpr UINT CDIS_FOCUS = 0x0010;
constexpr UINT CDIS_INDETERMINATE = 0x0100;

// The tap-and-hold gesture, sent by the list view (WM_NOTIFY, code
// GN_CONTEXTMENU = 1000) with the point where the stylus was held, in the
// control's client coordinates, and the row under it (-1 for none).
struct NMRGINFO {
  NMHDR hdr;
  POINT ptAction;
  DWORD dwItemSpec;
};
constexpr UINT NM_GESTURE_CONTEXTMENU = 1000;
