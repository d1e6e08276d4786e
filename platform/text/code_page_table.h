// The code pages the converters know: how each one is converted, its name
// for iconv and, for double-byte pages, which bytes lead a character. Pages
// marked `platform` are the device's own (MultiByteToWideChar and
// WideCharToMultiByte); the others are reached only through the emulated
// Mlang module. Tests narrow the platform's set (code_page_hooks.h).
#pragma once

#include <cstddef>
#include <cstdint>

namespace devtext {

enum class PageKind : uint8_t {
  Cp1252,  // our own 256-entry table (iconv refuses the five undefined bytes)
  Utf8,    // our own codec
  Iconv,   // glibc iconv under `iconvName`
};

// How a double-byte page lays out its characters; used to step over an
// invalid sequence as one character rather than byte by byte.
enum class LeadScheme : uint8_t { None, ShiftJis, Gbk, Uhc, Big5, EucJp, Euc };

struct CodePageInfo {
  uint32_t codePage;
  PageKind kind;
  LeadScheme leads;
  bool platform;
  const char* iconvName;
};

// Any page the converters know, platform or not; null when unknown.
const CodePageInfo* FindCodePage(uint32_t codePage);

// A page the platform supports right now (0 is the default page, 1252), or
// null. Safe to call from any thread.
const CodePageInfo* SupportedPlatformPage(uint32_t codePage);

// Bytes an invalid sequence at `bytes` covers (1 to `left`): a lead byte
// followed by what the page allows as its trail counts as one character.
size_t InvalidSequenceLength(const CodePageInfo& page, const uint8_t* bytes, size_t left);

// True when `byte` opens a two-byte character of the page.
bool IsLeadByte(const CodePageInfo& page, uint8_t byte);

}  // namespace devtext
