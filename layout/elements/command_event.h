// The record a command travels in through the element tree (HandleCommand):
// the window message that carried it and the command identifier it names.
// The application frame fills it; elements read what they need.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

struct CommandEvent {
  UINT message = 0;   // the window message (WM_COMMAND, WM_KEYDOWN, ...)
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  int32_t command = 0;  // the command identifier, 0 when the message names none
};
