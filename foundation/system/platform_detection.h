// Platform detection and the shell services built on the late-bound table
// (foundation/system/late_bound_apis.h): the device's edition, its system folder,
// the notification bubble, storage-card change notifications, hardware keys,
// the Done button and the screen's orientation. Each answers "not done"
// (false, 0) when the platform lacks what it needs.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "platform/shell/shell_types.h"

// Platform types.
constexpr int32_t kPlatformUnknown = 0;
constexpr int32_t kPlatformPocketPc = 1;
constexpr int32_t kPlatformSmartphone = 2;

// From the platform-type text ("P..." Pocket PC, "S..." Smartphone); a query
// refused with access denied is a Smartphone's answer.
int32_t GetPlatformType();
// On a Smartphone the application-data folder when the shell knows it, else
// "\Windows"; always with a trailing backslash.
void GetSystemFolder(EncodedString* path);

// The bubble of the notification class below, with the localised text and
// title of the two string identifiers, for 5 seconds; true when shown.
bool ShowInformNotification(uint32_t id, uint32_t textStringId, uint32_t titleStringId);
void RemoveNotification(uint32_t id);
// {2F79B2A9-C64C-4FE0-9878-245D2CB0BA87}
extern const CLSID kInformNotificationClass;

// Media inserted or removed, drive added or removed, anywhere.
bool RegisterMediaChangeNotify(HWND window);
bool UnregisterMediaChangeNotify(HWND window);
void FreeChangeNotification(FILECHANGENOTIFY* notification);

bool AssociateAppKey(HWND window, uint8_t key);
// Takes the key from the shell and registers it as a hot key of the window,
// identifier = the key code, delivered on key up (modifier 8).
bool CaptureHardwareKey(HWND window, uint8_t key);
bool ReleaseHardwareKey(HWND window, uint8_t key);
bool ShowDoneButton(HWND window, bool show);

// Orientation codes of the system: 0 upright, 1 (the platform's 270
// degrees), 2 (90 degrees), 3 (180 degrees).
//
// True on a platform above version 4.20 whose display answers the
// orientation query, unless a rotation failed earlier in this process.
bool CanRotateScreen();
// A refused change latches "cannot rotate" for the rest of the process.
bool SetScreenOrientation(int32_t code);
int32_t GetScreenOrientation();
