// The records and constants of the device's shell libraries (aygshell,
// cellcore, voicectl) and the signatures of the entry points the system binds
// by name at run time. The system never links these functions: it looks them
// up with GetProcAddressW and calls them through the pointer types below.
// Whatever holds a pointer is pointer-sized (the device's 32-bit sizes are
// not reproduced).
#pragma once

#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"

struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};
using CLSID = GUID;

inline bool operator==(const GUID& a, const GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i)
    if (a.Data4[i] != b.Data4[i]) return false;
  return true;
}

// SHInitDialog.
struct SHINITDLGINFO {
  DWORD dwMask;
  HWND hDlg;
  DWORD dwFlags;
};
constexpr DWORD SHIDIM_FLAGS = 0x0001;
constexpr DWORD SHIDIF_DONEBUTTON = 0x0001;
constexpr DWORD SHIDIF_SIPDOWN = 0x0008;
constexpr DWORD SHIDIF_FULLSCREENNOMENUBAR = 0x0010;
constexpr DWORD SHIDIF_SIZEDLG = 0x0002;
constexpr DWORD SHIDIF_SIZEDLGFULLSCREEN = 0x0004;

// SHCreateMenuBar: the bar's window comes back in hwndMB.
struct SHMENUBARINFO {
  DWORD cbSize;
  HWND hwndParent;
  DWORD dwFlags;
  UINT nToolBarId;
  HINSTANCE hInstRes;
  int nBmpId;
  int cBmpImages;
  HWND hwndMB;
  DWORD clrBk;
};
constexpr DWORD SHCMBF_EMPTYBAR = 0x0001;
constexpr DWORD SHCMBF_HIDDEN = 0x0002;
constexpr DWORD SHCMBF_HIDESIPBUTTON = 0x0004;
constexpr DWORD SHCMBF_COLORBK = 0x0008;
constexpr DWORD SHCMBF_HMENU = 0x0010;

// SHFullScreen states.
constexpr DWORD SHFS_SHOWTASKBAR = 0x0001;
constexpr DWORD SHFS_HIDETASKBAR = 0x0002;
constexpr DWORD SHFS_SHOWSIPBUTTON = 0x0004;
constexpr DWORD SHFS_HIDESIPBUTTON = 0x0008;
constexpr DWORD SHFS_SHOWSTARTICON = 0x0010;
constexpr DWORD SHFS_HIDESTARTICON = 0x0020;

// SHDoneButton states.
constexpr DWORD SHDB_SHOW = 1;
constexpr DWORD SHDB_HIDE = 2;

// SHRecognizeGesture: the stylus went down at ptDown in the client window.
struct SHRGINFO {
  DWORD cbSize;
  HWND hwndClient;
  struct {
    LONG x;
    LONG y;
  } ptDown;
  DWORD dwFlags;
};
constexpr DWORD SHRG_RETURNCMD = 0x0001;
constexpr DWORD SHRG_NOTIFYPARENT = 0x0002;
constexpr DWORD SHRG_LONGDELAY = 0x0008;
constexpr DWORD SHRG_NOANIMATION = 0x0010;
constexpr DWORD GN_CONTEXTMENU = 1000;

// SHNotificationAdd: the bubble shown by the shell. The device's record
// ends with lParam in the form the system fills (56 bytes there).
struct SHNOTIFICATIONDATA {
  DWORD cbStruct;
  DWORD dwID;
  DWORD npPriority;
  DWORD csDuration;
  void* hicon;
  DWORD grfFlags;
  CLSID clsid;
  HWND hwndSink;
  LPCWSTR pszHTML;
  LPCWSTR pszTitle;
  LPARAM lParam;
};
constexpr DWORD SHNP_INFORM = 0x1B1;
constexpr DWORD SHNP_ICONIC = 0;
constexpr DWORD SHNF_CRITICAL = 0x0001;
constexpr DWORD SHNF_FORCEMESSAGE = 0x0008;
constexpr DWORD SHNF_DISPLAYON = 0x0010;
constexpr DWORD SHNF_SILENT = 0x0020;

// SHChangeNotifyRegister: which file-system events reach the window.
struct SHCHANGENOTIFYENTRY {
  DWORD dwEventMask;
  LPWSTR pszWatchDir;
  BOOL fRecursive;
};
constexpr LONG SHCNE_RENAMEITEM = 0x00000001;
constexpr LONG SHCNE_CREATE = 0x00000002;
constexpr LONG SHCNE_DELETE = 0x00000004;
constexpr LONG SHCNE_MKDIR = 0x00000008;
constexpr LONG SHCNE_RMDIR = 0x00000010;
constexpr LONG SHCNE_MEDIAINSERTED = 0x00000020;
constexpr LONG SHCNE_MEDIAREMOVED = 0x00000040;
constexpr LONG SHCNE_DRIVEREMOVED = 0x00000080;
constexpr LONG SHCNE_DRIVEADD = 0x00000100;
constexpr LONG SHCNE_UPDATEITEM = 0x00002000;
// The message a registered window receives; lParam is a FILECHANGENOTIFY*
// that the window gives back with SHChangeNotifyFree.
constexpr UINT WM_FILECHANGEINFO = 0x8101;

struct FILECHANGEINFO {
  DWORD cbSize;
  LONG wEventId;
  ULONG uFlags;
  DWORD_PTR dwItem1;  // a path (LPCWSTR) for path events
  DWORD_PTR dwItem2;
  DWORD dwAttributes;
  FILETIME ftModified;
  ULONG nFileSize;
};
struct FILECHANGENOTIFY {
  DWORD dwRefCount;
  FILECHANGEINFO fci;
};
constexpr ULONG SHCNF_PATH = 0x0001;

// VoiceRecorder_Create.
struct CM_VOICE_RECORDER {
  DWORD cb;
  DWORD dwStyle;
  int xPos;
  int yPos;
  HWND hwndParent;
  int id;
  LPWSTR lpszRecordFileName;
};
constexpr DWORD VRS_NO_OKCANCEL = 0x0001;
constexpr DWORD VRS_NO_NOTIFY = 0x0002;
constexpr DWORD VRS_MODAL = 0x0004;
constexpr DWORD VRS_NO_RECORD = 0x0008;
constexpr DWORD VRS_PLAY_MODE = 0x0010;
constexpr DWORD VRS_NO_MOVE = 0x0020;

// tapiRequestMakeCallW answers.
constexpr LONG TAPIERR_NOREQUESTRECIPIENT = -2;
constexpr LONG TAPIERR_REQUESTQUEUEFULL = -3;
constexpr LONG TAPIERR_INVALDESTADDRESS = -4;

// The entry points, as the system calls them.
using SHInitDialogProc = BOOL (*)(SHINITDLGINFO* info);
using SHCreateMenuBarProc = BOOL (*)(SHMENUBARINFO* info);
using SHFindMenuBarProc = HWND (*)(HWND window);
using SHFullScreenProc = BOOL (*)(HWND window, DWORD state);
using SHGetAutoRunPathProc = BOOL (*)(LPWSTR path);  // MAX_PATH characters
using SHSetNavBarTextProc = BOOL (*)(HWND window, LPCWSTR text);
using SHRecognizeGestureProc = DWORD (*)(SHRGINFO* info);
using SHDoneButtonProc = BOOL (*)(HWND window, DWORD state);
using SHSetAppKeyWndAssocProc = BOOL (*)(BYTE key, HWND window);
using SHNotificationAddProc = LRESULT (*)(SHNOTIFICATIONDATA* data);
using SHNotificationRemoveProc = LRESULT (*)(const CLSID* clsid, DWORD id);
using SHSendBackToFocusWindowProc = void (*)(UINT message, WPARAM wParam, LPARAM lParam);
using TapiRequestMakeCallProc = LONG (*)(LPCWSTR number, LPCWSTR application, LPCWSTR calledParty,
                                         LPCWSTR comment);
using VoiceRecorderCreateProc = HWND (*)(CM_VOICE_RECORDER* settings);
using SHChangeNotifyRegisterProc = BOOL (*)(HWND window, SHCHANGENOTIFYENTRY* entry);
using SHChangeNotifyDeregisterProc = BOOL (*)(HWND window);
using SHChangeNotifyFreeProc = void (*)(FILECHANGENOTIFY* notification);
