// "mlang.dll": the code-page converter the system falls back on when the
// platform's own converters reject a code page. Its one export converts any
// page the text codecs know, ignoring the platform's supported set.
#include <climits>
#include <cstring>

#include "platform/modules/emulated_module.h"
#include "platform/text/code_page_table.h"
#include "platform/text/mlang_conversion.h"
#include "platform/text/page_codec.h"

namespace {

HRESULT ConvertINetMultiByteToUnicode(LPDWORD /*mode*/, DWORD encoding, LPCSTR source, LPINT sourceBytes,
                                      LPWSTR output, LPINT outputUnits) {
  if (!outputUnits || (output && *outputUnits < 0) || (sourceBytes && *sourceBytes < -1)) return E_INVALIDARG;
  bool terminated = !sourceBytes || *sourceBytes == -1;
  if (!source && (terminated || *sourceBytes > 0)) return E_INVALIDARG;
  const devtext::CodePageInfo* page = devtext::FindCodePage(encoding);
  if (!page) return E_FAIL;
  size_t length = terminated ? std::strlen(source) : static_cast<size_t>(*sourceBytes);
  if (length > static_cast<size_t>(INT_MAX)) return E_INVALIDARG;
  size_t units = 0;
  devtext::ConvStatus status = devtext::ConvStatus::Ok;
  if (length > 0)
    status = devtext::DecodeToUtf16(*page, reinterpret_cast<const uint8_t*>(source), length, false, output,
                                    output ? static_cast<size_t>(*outputUnits) : 0, &units);
  switch (status) {
    case devtext::ConvStatus::Ok:
      if (sourceBytes) *sourceBytes = static_cast<INT>(length);
      *outputUnits = static_cast<INT>(units);
      return S_OK;
    case devtext::ConvStatus::BufferTooSmall:
      *outputUnits = 0;
      return MLANG_E_BUFFER_TOO_SMALL;
    case devtext::ConvStatus::NoMemory: return E_OUTOFMEMORY;
    case devtext::ConvStatus::InvalidInput:
    case devtext::ConvStatus::Unavailable: break;
  }
  return E_FAIL;
}

const EmulatedExport kExports[] = {
    {"ConvertINetMultiByteToUnicode", reinterpret_cast<FARPROC>(&ConvertINetMultiByteToUnicode)},
};

}  // namespace

const EmulatedModule& MlangModule() {
  static const EmulatedModule module{"mlang.dll", kExports, sizeof(kExports) / sizeof(kExports[0])};
  return module;
}
