// The device's language and locale identifiers. A LANGID holds the primary
// language in its low 10 bits and the sublanguage above; an LCID is a LANGID
// with a sort order above bit 16 (always 0 here). The user's and the system's
// default language come from the device profile (platform/core/device_profile.h).
#pragma once

#include "platform/types/device_types.h"

using LANGID = WORD;
using LCID = DWORD;

constexpr WORD LANG_NEUTRAL = 0x00;
constexpr WORD LANG_ENGLISH = 0x09;
constexpr WORD LANG_FRENCH = 0x0C;
constexpr WORD SUBLANG_DEFAULT = 0x01;

constexpr LCID LOCALE_NEUTRAL = 0x0000;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

inline constexpr LANGID MAKELANGID(WORD primary, WORD sub) { return static_cast<LANGID>((sub << 10) | primary); }
inline constexpr WORD PRIMARYLANGID(LANGID id) { return static_cast<WORD>(id & 0x3FF); }
inline constexpr WORD SUBLANGID(LANGID id) { return static_cast<WORD>(id >> 10); }
inline constexpr LCID MAKELCID(LANGID language, WORD sort) { return (static_cast<LCID>(sort) << 16) | language; }
inline constexpr LANGID LANGIDFROMLCID(LCID id) { return static_cast<LANGID>(id & 0xFFFF); }

LANGID GetUserDefaultLangID();
LCID GetUserDefaultLCID();
LANGID GetSystemDefaultLangID();
LCID GetSystemDefaultLCID();
LANGID GetUserDefaultUILanguage();
