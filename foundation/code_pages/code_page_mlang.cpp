// Binding of Mlang.dll's "ConvertINetMultiByteToUnicode" (see the header).
#include "foundation/code_pages/code_page_mlang.h"

#include "platform/modules/modules.h"

namespace {
HMODULE g_module = nullptr;
ConvertINetMultiByteToUnicodeFn g_convert = nullptr;
}  // namespace

ConvertINetMultiByteToUnicodeFn MlangConverter() {
  if (g_convert) return g_convert;
  if (!g_module) g_module = LoadLibraryW(u"Mlang.dll");
  if (!g_module) return nullptr;
  g_convert = reinterpret_cast<ConvertINetMultiByteToUnicodeFn>(
      GetProcAddressW(g_module, u"ConvertINetMultiByteToUnicode"));
  if (!g_convert) {
    FreeLibrary(g_module);
    g_module = nullptr;
  }
  return g_convert;
}

void ForgetMlangConverter() {
  if (g_module) FreeLibrary(g_module);
  g_module = nullptr;
  g_convert = nullptr;
}
