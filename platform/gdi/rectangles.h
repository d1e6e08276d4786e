// The device's rectangle helpers (SetRect, IntersectRect, ...). A
// rectangle is empty when right <= left or bottom <= top.
#pragma once

#include "platform/types/device_types.h"
#include "platform/types/geometry_types.h"

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* rect);
BOOL CopyRect(RECT* target, const RECT* source);
BOOL IsRectEmpty(const RECT* rect);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* rect, POINT point);
BOOL OffsetRect(RECT* rect, int dx, int dy);
BOOL InflateRect(RECT* rect, int dx, int dy);
// Both answer FALSE and an empty rectangle when the result is empty.
BOOL IntersectRect(RECT* target, const RECT* a, const RECT* b);
BOOL UnionRect(RECT* target, const RECT* a, const RECT* b);
BOOL SubtractRect(RECT* target, const RECT* a, const RECT* b);
