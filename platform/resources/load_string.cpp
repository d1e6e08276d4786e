// String look-up by binary search in the installed, id-sorted table.
#include "platform/resources/load_string.h"

#include "platform/core/last_error.h"
#include "platform/modules/modules.h"
#include "platform/resources/program_resources.h"

namespace {

constexpr DWORD kErrorResourceNameNotFound = 1814;

const WCHAR* FindString(UINT id) {
  const ProgramResources& resources = InstalledProgramResources();
  size_t lo = 0, hi = resources.stringCount;
  while (lo < hi) {
    size_t mid = lo + (hi - lo) / 2;
    UINT midId = resources.strings[mid].id;
    if (midId == id) return resources.strings[mid].text;
    if (midId < id)
      lo = mid + 1;
    else
      hi = mid;
  }
  return nullptr;
}

size_t Length(const WCHAR* text) {
  size_t n = 0;
  while (text[n]) ++n;
  return n;
}

}  // namespace

LONG_PTR LoadStringW(HINSTANCE module, UINT id, LPWSTR buffer, int bufferMax) {
  if (bufferMax < 0 || (!buffer && bufferMax > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const WCHAR* text = (!module || module == GetModuleHandleW(nullptr)) ? FindString(id) : nullptr;
  if (!text) {
    if (buffer && bufferMax > 0) buffer[0] = 0;
    if (buffer && bufferMax == 0) *reinterpret_cast<const WCHAR**>(buffer) = nullptr;
    SetLastError(kErrorResourceNameNotFound);
    return 0;
  }
  if (!buffer) return reinterpret_cast<LONG_PTR>(text);
  size_t length = Length(text);
  if (bufferMax == 0) {
    *reinterpret_cast<const WCHAR**>(buffer) = text;
    return static_cast<LONG_PTR>(length);
  }
  size_t copied = length < static_cast<size_t>(bufferMax) - 1 ? length : static_cast<size_t>(bufferMax) - 1;
  for (size_t i = 0; i < copied; ++i) buffer[i] = text[i];
  buffer[copied] = 0;
  return static_cast<LONG_PTR>(copied);
}
