// MultiByteToWideChar, WideCharToMultiByte, IsValidCodePage and GetACP: the
// device's argument rules and error codes around the page codecs.
#include "platform/text/code_page_conversion.h"

#include <climits>
#include <cstring>

#include "platform/core/last_error.h"
#include "platform/text/code_page_table.h"
#include "platform/text/page_codec.h"

namespace {

constexpr DWORD kMultiByteFlags = MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS;
constexpr DWORD kWideFlags = WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR | WC_COMPOSITECHECK | WC_NO_BEST_FIT_CHARS;

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Turns a codec's status and count into the call's result.
int Finish(devtext::ConvStatus status, size_t count) {
  switch (status) {
    case devtext::ConvStatus::Ok:
      return count > static_cast<size_t>(INT_MAX) ? Fail(ERROR_INVALID_PARAMETER) : static_cast<int>(count);
    case devtext::ConvStatus::BufferTooSmall: return Fail(ERROR_INSUFFICIENT_BUFFER);
    case devtext::ConvStatus::InvalidInput: return Fail(ERROR_NO_UNICODE_TRANSLATION);
    case devtext::ConvStatus::Unavailable: return Fail(ERROR_INVALID_PARAMETER);
    case devtext::ConvStatus::NoMemory: return Fail(ERROR_NOT_ENOUGH_MEMORY);
  }
  return Fail(ERROR_INVALID_PARAMETER);
}

size_t WideLength(LPCWSTR text) {
  size_t n = 0;
  while (text[n]) ++n;
  return n;
}

devtext::DefaultChar ChooseDefault(const devtext::CodePageInfo& page, LPCSTR defaultChar) {
  devtext::DefaultChar fallback;
  if (!defaultChar) return fallback;
  fallback.bytes[0] = static_cast<uint8_t>(defaultChar[0]);
  fallback.length = 1;
  if (defaultChar[0] && defaultChar[1] && devtext::IsLeadByte(page, fallback.bytes[0])) {
    fallback.bytes[1] = static_cast<uint8_t>(defaultChar[1]);
    fallback.length = 2;
  }
  return fallback;
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceBytes, LPWSTR output,
                        int outputUnits) {
  const devtext::CodePageInfo* page = devtext::SupportedPlatformPage(codePage);
  if (!page || (flags & ~kMultiByteFlags) || !source || sourceBytes == 0 || sourceBytes < -1 || outputUnits < 0 ||
      (outputUnits > 0 && !output) || static_cast<const void*>(source) == static_cast<const void*>(output))
    return Fail(ERROR_INVALID_PARAMETER);
  size_t length = sourceBytes == -1 ? std::strlen(source) + 1 : static_cast<size_t>(sourceBytes);
  if (length > static_cast<size_t>(INT_MAX)) return Fail(ERROR_INVALID_PARAMETER);
  bool query = outputUnits == 0;
  size_t units = 0;
  devtext::ConvStatus status =
      devtext::DecodeToUtf16(*page, reinterpret_cast<const uint8_t*>(source), length,
                             (flags & MB_ERR_INVALID_CHARS) != 0, query ? nullptr : output,
                             static_cast<size_t>(outputUnits), &units);
  return Finish(status, units);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceUnits, LPSTR output, int outputBytes,
                        LPCSTR defaultChar, LPBOOL usedDefaultChar) {
  const devtext::CodePageInfo* page = devtext::SupportedPlatformPage(codePage);
  if (!page || (flags & ~kWideFlags) || !source || sourceUnits == 0 || sourceUnits < -1 || outputBytes < 0 ||
      (outputBytes > 0 && !output) || static_cast<const void*>(source) == static_cast<const void*>(output))
    return Fail(ERROR_INVALID_PARAMETER);
  if (page->kind == devtext::PageKind::Utf8 && (defaultChar || usedDefaultChar)) return Fail(ERROR_INVALID_PARAMETER);
  size_t length = sourceUnits == -1 ? WideLength(source) + 1 : static_cast<size_t>(sourceUnits);
  if (length > static_cast<size_t>(INT_MAX)) return Fail(ERROR_INVALID_PARAMETER);
  bool query = outputBytes == 0;
  bool usedDefault = false;
  size_t bytes = 0;
  devtext::ConvStatus status =
      devtext::EncodeFromUtf16(*page, source, length, ChooseDefault(*page, defaultChar), &usedDefault,
                               query ? nullptr : reinterpret_cast<uint8_t*>(output),
                               static_cast<size_t>(outputBytes), &bytes);
  int result = Finish(status, bytes);
  if (usedDefaultChar && result > 0) *usedDefaultChar = usedDefault ? TRUE : FALSE;
  return result;
}

BOOL IsValidCodePage(UINT codePage) {
  return codePage != CP_ACP && devtext::SupportedPlatformPage(codePage) ? TRUE : FALSE;
}

UINT GetACP() { return 1252; }
