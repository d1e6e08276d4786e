// Placeholder: replaced by the iconv-based converters. Every page is refused.
#include "platform/text/code_page_conversion.h"

#include "platform/core/last_error.h"
#include "platform/testing/text.h"

int MultiByteToWideChar(UINT, DWORD, LPCSTR, int, LPWSTR, int) {
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}
int WideCharToMultiByte(UINT, DWORD, LPCWSTR, int, LPSTR, int, LPCSTR, LPBOOL) {
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}
BOOL IsValidCodePage(UINT) { return FALSE; }
UINT GetACP() { return 1252; }

namespace devtest {
void SetSupportedCodePages(std::initializer_list<unsigned>) {}
void ResetCodePages() {}
}  // namespace devtest
