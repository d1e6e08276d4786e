// The device's point, size and rectangle records. POINT is the one the
// message record carries; RECT's right and bottom edges lie outside the
// rectangle, as everywhere on the device.
#pragma once

#include "platform/types/device_types.h"

struct POINT {
  LONG x;
  LONG y;
};

struct SIZE {
  LONG cx;
  LONG cy;
};

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

using LPRECT = RECT*;
using LPCRECT = const RECT*;
using LPPOINT = POINT*;
using LPSIZE = SIZE*;
