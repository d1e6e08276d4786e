// The classes of the device's controls and the call that registers them.
//
// InitCommonControlsEx (and InitCommonControls) register every class of
// this area, the system's own ("STATIC", "BUTTON", "EDIT", "COMBOBOX") as
// well as the common controls; a program calls it once at start, before it
// makes its first control, and again after the windows were reset (tests).
// Registering twice is harmless. It also lets SHRecognizeGesture recognise
// a real hold (gesture.h).
#pragma once

#include "platform/types/device_types.h"

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
constexpr DWORD ICC_LISTVIEW_CLASSES = 0x00000001;
constexpr DWORD ICC_TREEVIEW_CLASSES = 0x00000002;
constexpr DWORD ICC_BAR_CLASSES = 0x00000004;
constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
constexpr DWORD ICC_UPDOWN_CLASS = 0x00000010;
constexpr DWORD ICC_PROGRESS_CLASS = 0x00000020;
constexpr DWORD ICC_DATE_CLASSES = 0x00000100;
constexpr DWORD ICC_COOL_CLASSES = 0x00000400;

#define WC_STATICW u"STATIC"
#define WC_BUTTONW u"BUTTON"
#define WC_EDITW u"EDIT"
#define WC_COMBOBOXW u"COMBOBOX"
#define WC_LISTVIEWW u"SysListView32"
#define TOOLBARCLASSNAMEW u"ToolbarWindow32"
#define STATUSCLASSNAMEW u"msctls_statusbar32"
#define TRACKBAR_CLASSW u"msctls_trackbar32"
#define UPDOWN_CLASSW u"msctls_updown32"
#define WC_TABCONTROLW u"SysTabControl32"
// The pop-up list of a dropped-down combo box.
#define WC_COMBOLISTW u"ComboLBox"

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);
void InitCommonControls();
