// Platform type, system folder, notifications, change notifications and
// hardware keys over the late-bound table.
#include "foundation/system/platform_detection.h"

#include "foundation/system/late_bound_apis.h"
#include "foundation/language/localized_strings.h"
#include "platform/core/last_error.h"
#include "platform/shell/special_folders.h"
#include "platform/system/system_parameters.h"

const CLSID kInformNotificationClass = {0x2F79B2A9, 0xC64C, 0x4FE0, {0x98, 0x78, 0x24, 0x5D, 0x2C, 0xB0, 0xBA, 0x87}};

namespace {

constexpr DWORD kNotificationSeconds = 5;
constexpr DWORD kMediaEvents = SHCNE_MEDIAINSERTED | SHCNE_MEDIAREMOVED | SHCNE_DRIVEREMOVED | SHCNE_DRIVEADD;
constexpr UINT kModifierKeyUp = 8;

}  // namespace

int32_t GetPlatformType() {
  WCHAR text[128] = {};
  if (!SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof(text), text, 0))
    return GetLastError() == ERROR_ACCESS_DENIED ? kPlatformSmartphone : kPlatformUnknown;
  if (text[0] == u'P') return kPlatformPocketPc;
  if (text[0] == u'S') return kPlatformSmartphone;
  return kPlatformUnknown;
}

void GetSystemFolder(EncodedString* path) {
  WCHAR folder[MAX_PATH] = {};
  if (GetPlatformType() == kPlatformSmartphone && SHGetSpecialFolderPath(nullptr, folder, CSIDL_APPDATA, FALSE))
    path->FromWide(folder);
  else
    path->FromWide(u"\\Windows");
  path->AppendChar(u'\\');
}

bool ShowInformNotification(uint32_t id, uint32_t textStringId, uint32_t titleStringId) {
  const WCHAR* html = LoadLocalizedString(textStringId);
  const WCHAR* title = LoadLocalizedString(titleStringId);
  SHNOTIFICATIONDATA data{};
  data.cbStruct = sizeof(data);
  data.dwID = id;
  data.npPriority = SHNP_INFORM;
  data.csDuration = kNotificationSeconds;
  data.clsid = kInformNotificationClass;
  // A text missing from the table shows as empty rather than as a null the
  // shell would read through.
  data.pszHTML = html ? html : u"";
  data.pszTitle = title ? title : u"";
  return CallSHNotificationAdd(&data) == 0;
}

void RemoveNotification(uint32_t id) { CallSHNotificationRemove(&kInformNotificationClass, id); }

bool RegisterMediaChangeNotify(HWND window) {
  SHCHANGENOTIFYENTRY entry{kMediaEvents, nullptr, FALSE};
  return CallSHChangeNotifyRegister(window, &entry) != 0;
}

bool UnregisterMediaChangeNotify(HWND window) { return CallSHChangeNotifyDeregister(window) != 0; }

void FreeChangeNotification(FILECHANGENOTIFY* notification) { CallSHChangeNotifyFree(notification); }

bool AssociateAppKey(HWND window, uint8_t key) { return CallSHSetAppKeyWndAssoc(key, window) != 0; }

bool CaptureHardwareKey(HWND window, uint8_t key) { return CallRegisterHotKey(window, key, kModifierKeyUp, key) != 0; }

bool ReleaseHardwareKey(HWND window, uint8_t key) { return CallUnregisterHotKey(window, key) != 0; }

bool ShowDoneButton(HWND window, bool show) { return CallSHDoneButton(window, show ? SHDB_SHOW : SHDB_HIDE) != 0; }
