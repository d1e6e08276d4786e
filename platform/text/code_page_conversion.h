// The device's multibyte <-> UTF-16 converters. 1252 and UTF-8 are converted
// by our own code, the double-byte pages by glibc iconv.
//
// Supported code pages: 1252, 932, 936, 949, 950, 51932 (EUC-JP), 65001
// (UTF-8) and 0 (CP_ACP, the default page: 1252, which GetACP answers). Tests
// may narrow the set (code_page_hooks.h); a page outside it answers
// error 87 and IsValidCodePage FALSE. IsValidCodePage(0) is FALSE: 0 names
// the default page, it is not a page itself.
//
// Lengths: -1 converts up to and including the terminator (which the count
// then includes); 0 and anything below -1 are bad arguments. A null output
// or an output size of 0 answers the size needed, in units of the output.
//
// Errors (GetLastError, with 0 returned):
//   122 the output is too small: its contents are then undefined (it may hold
//       part of the text);
//    87 a page not supported, a null source, bad lengths, an output null with
//       a positive size, the output at the address of the source, flags
//       outside those below, or a default character or its report asked for
//       with 65001 (which has neither);
//  1113 invalid input when MB_ERR_INVALID_CHARS is given;
//     8 out of memory (iconv could not open its converter).
//
// Decisions:
// - Invalid multibyte input without MB_ERR_INVALID_CHARS becomes U+FFFD: in
//   UTF-8 one per maximal ill-formed subpart (overlong forms, encoded
//   surrogates and values above U+10FFFF are ill-formed); in a double-byte
//   page one per bad character, a lead byte and a trail byte it allows being
//   one character; a lead byte cut off by the end of the input is one too.
//   1252 has no invalid input: every byte stands for a character.
// - A character a page cannot represent becomes the default character: the
//   caller's (its first character: one byte, two for a lead byte of a
//   double-byte page), else "?". *usedDefaultChar is set to TRUE when that
//   happened and to FALSE otherwise. 1252 has no best fit (U+0100 gives "?",
//   not "A"; U+2011 gives "?", not "-"). The double-byte pages convert by
//   glibc's tables and nothing else; in 932 and 51932 these map a few
//   characters one way without setting the flag (U+00A2, U+00A3, U+00A5,
//   U+00A6, U+00AC, U+2014, U+2016, U+203E, U+2212, U+301C): U+00A5 gives
//   0x5C, which reads back as a backslash; U+2014 gives the bytes of U+2015.
// - A lone surrogate given to WideCharToMultiByte is a character without an
//   equivalent: the default character with *usedDefaultChar set; in 65001 it
//   becomes U+FFFD (EF BF BD). A valid surrogate pair the page lacks gives one
//   default character.
// - 1252: the five bytes the page leaves undefined (0x81, 0x8D, 0x8F, 0x90,
//   0x9D) map to U+0081, U+008D, U+008F, U+0090, U+009D and back; the other
//   C1 characters U+0080-U+009F have no equivalent.
// - Accepted flags: MB_PRECOMPOSED, MB_COMPOSITE, MB_USEGLYPHCHARS,
//   MB_ERR_INVALID_CHARS; WC_COMPOSITECHECK, WC_DISCARDNS, WC_SEPCHARS,
//   WC_DEFAULTCHAR, WC_NO_BEST_FIT_CHARS. Output is always precomposed as the
//   pages' tables give it; WC_COMPOSITECHECK does not compose a base letter
//   and a following combining mark (the mark is a character of its own).
// - UTF-16 is native-order char16_t; characters above U+FFFF are surrogate
//   pairs.
// - All calls are thread-safe.
#pragma once

#include "platform/types/device_types.h"

constexpr UINT CP_ACP = 0;
constexpr UINT CP_UTF8 = 65001;

constexpr DWORD MB_PRECOMPOSED = 0x00000001;
constexpr DWORD MB_COMPOSITE = 0x00000002;
constexpr DWORD MB_USEGLYPHCHARS = 0x00000004;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;

constexpr DWORD WC_DISCARDNS = 0x00000010;
constexpr DWORD WC_SEPCHARS = 0x00000020;
constexpr DWORD WC_DEFAULTCHAR = 0x00000040;
constexpr DWORD WC_COMPOSITECHECK = 0x00000200;
constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x00000400;

// Returns the UTF-16 units written (or needed), 0 on failure.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceBytes,
                        LPWSTR output, int outputUnits);
// Returns the bytes written (or needed), 0 on failure.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceUnits,
                        LPSTR output, int outputBytes, LPCSTR defaultChar,
                        LPBOOL usedDefaultChar);
BOOL IsValidCodePage(UINT codePage);
UINT GetACP();
