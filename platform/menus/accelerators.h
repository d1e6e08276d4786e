// Accelerator tables: keys that stand for commands. An RT_ACCELERATOR
// resource holds eight-byte entries {flags, key, command, padding} (16
// bits each); 0x80 in the flags marks the last. With FVIRTKEY the key is a
// virtual key matched on WM_KEYDOWN with the Shift, Control and Alt states
// the flags ask for; without it the key is a character matched on WM_CHAR.
#pragma once

#include "platform/windows/messages.h"
#include "platform/windows/window_types.h"

struct AcceleratorTable;
using HACCEL = AcceleratorTable*;

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

// Null (ERROR_RESOURCE_NAME_NOT_FOUND or ERROR_RESOURCE_DATA_NOT_FOUND) for
// a missing or malformed table.
HACCEL LoadAcceleratorsW(HINSTANCE instance, LPCWSTR name);
BOOL DestroyAcceleratorTable(HACCEL table);
// Sends WM_COMMAND (the command in the low word, 1 in the high word, lParam
// 0) to `window` and answers 1 when `message` is one of the table's keys;
// 0 otherwise, and always for a null table.
int TranslateAcceleratorW(HWND window, HACCEL table, MSG* message);

// The table of raw resource bytes (test builds read malformed ones here).
HACCEL LoadAcceleratorsFromBytes(const BYTE* data, size_t size);
