// The device's multibyte <-> UTF-16 converters, over glibc iconv.
// Supported code pages: 1252, 932, 936, 949, 950, 51932, 65001 and CP_ACP (0,
// taken as 1252); tests may narrow the set (platform/testing/text.h).
//
// 1252 behaviour, decided once here: a character 1252 cannot represent
// becomes the default character (the caller's, else '?'), with no best-fit
// table, and *usedDefaultChar is set. The five bytes 1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081, U+008D, U+008F, U+0090,
// U+009D and back.
//
// Errors (GetLastError): 122 when the output buffer is too small, 87 for a
// code page the platform does not support or bad arguments, 1113 for invalid
// input with MB_ERR_INVALID_CHARS.
#pragma once

#include "platform/types/device_types.h"

constexpr UINT CP_ACP = 0;
constexpr UINT CP_UTF8 = 65001;
constexpr DWORD MB_PRECOMPOSED = 0x00000001;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;

// A length of -1 converts up to and including the terminator. A null or
// zero-sized output answers the size needed, in units.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceBytes,
                        LPWSTR output, int outputUnits);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceUnits,
                        LPSTR output, int outputBytes, LPCSTR defaultChar,
                        LPBOOL usedDefaultChar);
BOOL IsValidCodePage(UINT codePage);
UINT GetACP();
