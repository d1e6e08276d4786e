// The two converters between multibyte text and UTF-16. 7-bit text and UTF-8
// are converted by the system's own code; every other page goes through the
// platform's MultiByteToWideChar / WideCharToMultiByte, and a page that the
// platform rejects is tried through Mlang.dll. Lengths are byte counts: the
// capacity on entry, the bytes written or needed on return.
#include <climits>

#include "foundation/code_pages/code_page.h"
#include "foundation/code_pages/code_page_mlang.h"
#include "platform/core/last_error.h"
#include "platform/text/code_page_conversion.h"

namespace {

constexpr DWORD kCompositeCheck = 0x200;

UINT PlatformPage(int32_t cp) { return cp == -1 ? CP_ACP : static_cast<UINT>(cp); }

int MlangToWide(const uint8_t* bytes, uint32_t len, int32_t cp, WCHAR* out, uint32_t* outLen) {
  ConvertINetMultiByteToUnicodeFn convert = MlangConverter();
  if (!convert) return kConvertFailed;
  uint32_t capacityUnits = *outLen / 2;
  if (out && capacityUnits > 0) {
    DWORD mode = 0;
    INT sourceBytes = static_cast<INT>(len);
    INT units = capacityUnits > INT_MAX ? INT_MAX : static_cast<INT>(capacityUnits);
    HRESULT hr = convert(&mode, static_cast<DWORD>(cp), reinterpret_cast<LPCSTR>(bytes), &sourceBytes, out,
                         &units);
    if (hr == S_OK && units >= 0 && static_cast<uint32_t>(units) <= capacityUnits) {
      *outLen = static_cast<uint32_t>(units) * 2;
      return kConvertOk;
    }
  }
  DWORD mode = 0;
  INT sourceBytes = static_cast<INT>(len);
  INT units = 0;
  HRESULT hr =
      convert(&mode, static_cast<DWORD>(cp), reinterpret_cast<LPCSTR>(bytes), &sourceBytes, nullptr, &units);
  if (hr == S_OK && units > 0) *outLen = static_cast<uint32_t>(units) * 2;
  return kConvertFailed;
}

}  // namespace

int MultiByteToWide(const uint8_t* bytes, uint32_t len, int32_t cp, WCHAR* out, uint32_t* outLen) {
  if (len == 0) {
    *outLen = 0;
    return kConvertOk;
  }
  if (!bytes || len > INT_MAX / 2) return kConvertFailed;
  uint32_t needed = 2 * len;  // an upper bound for the system's own pages
  if (cp == kCodePage7Bit) {
    if (!out || *outLen < needed) {
      *outLen = needed;
      return kConvertFailed;
    }
    for (uint32_t i = 0; i < len; ++i) out[i] = static_cast<WCHAR>(bytes[i] & 0x7F);
    *outLen = needed;
    return kConvertOk;
  }
  if (cp == kCodePageRefused) return kConvertFailed;
  if (cp == kCodePageUtf8) {
    if (!out || *outLen < needed) {
      *outLen = needed;
      return kConvertFailed;
    }
    return ConvertFromUtf8(bytes, len, kCodePageUtf16, out, outLen, nullptr);
  }

  UINT page = PlatformPage(cp);
  LPCSTR source = reinterpret_cast<LPCSTR>(bytes);
  int sourceBytes = static_cast<int>(len);
  uint32_t capacityUnits = *outLen / 2;
  if (out && capacityUnits > 0) {
    int units = MultiByteToWideChar(page, MB_PRECOMPOSED, source, sourceBytes, out,
                                    capacityUnits > INT_MAX ? INT_MAX : static_cast<int>(capacityUnits));
    if (units > 0) {
      *outLen = static_cast<uint32_t>(units) * 2;
      return kConvertOk;
    }
    DWORD error = GetLastError();
    if (error == ERROR_INVALID_PARAMETER) return MlangToWide(bytes, len, cp, out, outLen);
    if (error != ERROR_INSUFFICIENT_BUFFER) return kConvertFailed;
  }
  int units = MultiByteToWideChar(page, MB_PRECOMPOSED, source, sourceBytes, nullptr, 0);
  if (units <= 0) {
    if (GetLastError() == ERROR_INVALID_PARAMETER) return MlangToWide(bytes, len, cp, nullptr, outLen);
    return kConvertFailed;
  }
  if (static_cast<uint32_t>(units) * 2 > *outLen || !out) *outLen = static_cast<uint32_t>(units) * 2;
  return kConvertFailed;
}

int WideToMultiByte(const WCHAR* units, uint32_t byteLen, int32_t cp, uint8_t* out, uint32_t* outLen,
                    bool* replaced) {
  if (replaced) *replaced = false;
  uint32_t count = byteLen / 2;
  if (cp == kCodePage7Bit || cp == kCodePageRefused) {
    if (!out || *outLen < count) {
      *outLen = count;
      return kConvertFailed;
    }
    if (cp == kCodePageRefused) return kConvertFailed;
    bool differed = false;
    for (uint32_t i = 0; i < count; ++i) {
      uint8_t byte = static_cast<uint8_t>(units[i] & 0x7F);
      if (units[i] != byte) differed = true;
      out[i] = byte;
    }
    if (replaced) *replaced = differed;
    *outLen = count;
    return kConvertOk;
  }
  if (count == 0) {
    *outLen = 0;
    return kConvertOk;
  }
  if (!units || count > INT_MAX) return kConvertFailed;

  UINT page = PlatformPage(cp);
  DWORD flags = cp == kCodePageUtf8 ? 0 : kCompositeCheck;
  BOOL usedDefault = FALSE;
  LPBOOL usedReport = (replaced && cp != kCodePageUtf8) ? &usedDefault : nullptr;
  int sourceUnits = static_cast<int>(count);
  if (out && *outLen > 0) {
    int written = WideCharToMultiByte(page, flags, units, sourceUnits, reinterpret_cast<LPSTR>(out),
                                      *outLen > INT_MAX ? INT_MAX : static_cast<int>(*outLen), nullptr,
                                      usedReport);
    if (written > 0) {
      *outLen = static_cast<uint32_t>(written);
      if (replaced) *replaced = usedDefault != FALSE;
      return kConvertOk;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return kConvertFailed;
  }
  int needed = WideCharToMultiByte(page, flags, units, sourceUnits, nullptr, 0, nullptr, nullptr);
  if (needed > 0 && (static_cast<uint32_t>(needed) > *outLen || !out)) *outLen = static_cast<uint32_t>(needed);
  return kConvertFailed;
}
