// SHGetSpecialFolderPath: the device folders the shell names by number.
// coredll also exports it under that name for the callers that look it up
// at run time.
//
//   CSIDL_PROGRAMS 2        \Windows\Start Menu\Programs
//   CSIDL_PERSONAL 5        \My Documents
//   CSIDL_FAVORITES 6       \Windows\Favorites
//   CSIDL_STARTUP 7         \Windows\StartUp
//   CSIDL_STARTMENU 11      \Windows\Start Menu
//   CSIDL_DESKTOPDIRECTORY 16  \Windows\Desktop
//   CSIDL_FONTS 20          \Windows\Fonts
//   CSIDL_APPDATA 26        \Application Data
//   CSIDL_WINDOWS 36        \Windows
//   CSIDL_PROGRAM_FILES 38  \Program Files
#pragma once

#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"

constexpr int CSIDL_PROGRAMS = 0x0002;
constexpr int CSIDL_PERSONAL = 0x0005;
constexpr int CSIDL_FAVORITES = 0x0006;
constexpr int CSIDL_STARTUP = 0x0007;
constexpr int CSIDL_STARTMENU = 0x000B;
constexpr int CSIDL_DESKTOPDIRECTORY = 0x0010;
constexpr int CSIDL_FONTS = 0x0014;
constexpr int CSIDL_APPDATA = 0x001A;
constexpr int CSIDL_WINDOWS = 0x0024;
constexpr int CSIDL_PROGRAM_FILES = 0x0026;

using SHGetSpecialFolderPathProc = BOOL (*)(HWND owner, LPWSTR path, int folder, BOOL create);

// Fills `path` (MAX_PATH characters) with the folder, without a trailing
// backslash. With `create` the folder and its parents are made when missing.
// FALSE for an unknown number or a folder that does not exist (and could not
// be made).
BOOL SHGetSpecialFolderPath(HWND owner, LPWSTR path, int folder, BOOL create);
