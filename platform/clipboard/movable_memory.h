// Movable memory blocks (GlobalAlloc/LocalAlloc and their locks): the
// blocks the clipboard takes. A handle is checked before use: one that is
// not a live block fails (null, FALSE) instead of being read.
#pragma once

#include "platform/types/device_types.h"

using HGLOBAL = void*;
using HLOCAL = void*;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT LMEM_FIXED = 0x0000;
constexpr UINT LMEM_MOVEABLE = 0x0002;
constexpr UINT LMEM_ZEROINIT = 0x0040;

HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
LPVOID GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
size_t GlobalSize(HGLOBAL block);
HGLOBAL GlobalFree(HGLOBAL block);  // null on success, the block on failure
HLOCAL LocalAlloc(UINT flags, size_t bytes);
HLOCAL LocalFree(HLOCAL block);

// Whether `block` is a live block (the clipboard's check).
bool IsLiveBlock(HGLOBAL block);
// The number of live blocks (tests watch for leaks).
size_t LiveBlockCount();
