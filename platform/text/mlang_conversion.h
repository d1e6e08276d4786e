// "ConvertINetMultiByteToUnicode" of the emulated "mlang.dll"
// (platform/modules/mlang_module.cpp), as callers bind it at run time with
// GetProcAddressW. It converts through iconv whatever the platform's own
// converters support: it is the fallback for pages the platform lacks.
//
//   mode         may be null; not read or changed (each call starts from the
//                page's initial state)
//   encoding     the code page: 1252, 65001, 932, 936, 949, 950, 51932 and
//                874, 1250, 1251, 1253-1258, 10000, 20127, 20866, 20932,
//                21866, 28591, 28592, 28595, 28597, 28605, 50220, 51936,
//                51949, 54936; anything else answers E_FAIL
//   sourceBytes  the bytes to convert; null or -1: up to the terminator,
//                which is not converted; set to the bytes consumed
//   output       null: *outputUnits gets the size needed, in UTF-16 units
//   outputUnits  in: the capacity of output; out: the units written
//
// Invalid bytes become U+FFFD. An output too small answers
// HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER) (0x8007007A) with
// *outputUnits 0 and the output's contents undefined; bad arguments
// E_INVALIDARG.
#pragma once

#include "platform/types/device_types.h"

using ConvertINetMultiByteToUnicodeFn = HRESULT (*)(LPDWORD mode, DWORD encoding, LPCSTR source,
                                                   LPINT sourceBytes, LPWSTR output, LPINT outputUnits);

constexpr HRESULT MLANG_E_BUFFER_TOO_SMALL = static_cast<HRESULT>(0x8007007Au);
