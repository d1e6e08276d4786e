// The display mode record and the orientation calls of coredll's
// ChangeDisplaySettingsEx, which the system binds by name. The emulated
// display answers the orientation query, reads back and sets the orientation;
// whether it can rotate comes from the device profile, and tests can make a
// change fail (shell_hooks.h).
//
// The device starts turned as its profile's `orientation` says (upright
// when that is not a DMDO_ value or the display cannot rotate), until the
// orientation is changed; the device reset starts it again from the
// profile. The graphics layer reads the orientation in force with
// devshell::CurrentDisplayOrientation() (a DMDO_ value).
#pragma once

#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"

// The device's DEVMODE, wide form. Only the orientation fields are read.
struct DEVMODEW {
  WCHAR dmDeviceName[32];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  short dmOrientation;
  short dmPaperSize;
  short dmPaperLength;
  short dmPaperWidth;
  short dmScale;
  short dmCopies;
  short dmDefaultSource;
  short dmPrintQuality;
  short dmColor;
  short dmDuplex;
  short dmYResolution;
  short dmTTOption;
  short dmCollate;
  WCHAR dmFormName[32];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmDisplayFlags;
  DWORD dmDisplayFrequency;
  DWORD dmDisplayOrientation;
  DWORD dmDisplayQueryOrientation;
};

// dmFields.
constexpr DWORD DM_DISPLAYORIENTATION = 0x00800000;
constexpr DWORD DM_DISPLAYQUERYORIENTATION = 0x01000000;

// Orientations (dmDisplayOrientation); the query answers a mask of them,
// DMDO_0 being supported always.
constexpr DWORD DMDO_0 = 0;
constexpr DWORD DMDO_90 = 1;
constexpr DWORD DMDO_180 = 2;
constexpr DWORD DMDO_270 = 4;

// Flags.
constexpr DWORD CDS_UPDATEREGISTRY = 0x00000001;
constexpr DWORD CDS_TEST = 0x00000002;
constexpr DWORD CDS_RESET = 0x40000000;

// wParam of the WM_SETTINGCHANGE that every top-level window of the program
// receives after the orientation has changed.
constexpr UINT SETTINGCHANGE_RESET = 0x3002;

// Answers.
constexpr LONG DISP_CHANGE_SUCCESSFUL = 0;
constexpr LONG DISP_CHANGE_RESTART = 1;
constexpr LONG DISP_CHANGE_FAILED = -1;
constexpr LONG DISP_CHANGE_BADMODE = -2;
constexpr LONG DISP_CHANGE_BADFLAGS = -4;
constexpr LONG DISP_CHANGE_BADPARAM = -5;

using ChangeDisplaySettingsExProc = LONG (*)(LPCWSTR device, DEVMODEW* mode, HWND window, DWORD flags,
                                             LPVOID parameter);

namespace devshell {

// coredll's "ChangeDisplaySettingsEx" (exported by the emulated module only).
//   CDS_TEST with DM_DISPLAYQUERYORIENTATION: the supported orientations in
//     dmDisplayQueryOrientation, or DISP_CHANGE_BADMODE when the display
//     cannot rotate.
//   CDS_TEST with DM_DISPLAYORIENTATION: the orientation in force, read back.
//   Otherwise with DM_DISPLAYORIENTATION: sets the orientation (a DMDO_
//     value); DISP_CHANGE_BADMODE for another value or a display that cannot
//     rotate, or the injected failure. When the orientation in force
//     changed, the shell's windows layer then sends WM_SETTINGCHANGE
//     (SETTINGCHANGE_RESET) to the program's top-level windows, which read
//     the new screen size then.
LONG ChangeDisplaySettingsEx(LPCWSTR device, DEVMODEW* mode, HWND window, DWORD flags, LPVOID parameter);

DWORD CurrentDisplayOrientation();

}  // namespace devshell
