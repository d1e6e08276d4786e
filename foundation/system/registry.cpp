// Registry value wrappers over the platform's registry calls.
#include "foundation/system/registry.h"

#include "foundation/language/localized_strings.h"
#include "platform/memory/allocator.h"

bool RegQueryString(HKEY key, const WCHAR* valueName, EncodedString* text) {
  DWORD size = 0;
  if (RegQueryValueExW(key, valueName, nullptr, nullptr, nullptr, &size) != 0) return false;
  // Room for at least one unit, so that an empty value still has a buffer.
  DWORD room = size < 2 ? 2 : size;
  auto* bytes = static_cast<BYTE*>(DeviceAlloc(room));
  if (!bytes) return false;
  DWORD read = size;
  bool ok = RegQueryValueExW(key, valueName, nullptr, nullptr, bytes, &read) == 0;
  if (ok) {
    // The text ends at its terminator; a value written without one keeps
    // every unit, and an odd last byte is not a character.
    const WCHAR* units = reinterpret_cast<const WCHAR*>(bytes);
    uint32_t count = 0;
    while (count < read / 2 && units[count] != 0) ++count;
    text->FromWide(units, static_cast<int32_t>(count));
    ok = text->IsOk();
  }
  DeviceFree(bytes);
  return ok;
}

bool RegQueryDword(HKEY key, const WCHAR* valueName, uint32_t* value) {
  DWORD type = 0, read = 0, size = 4;
  if (RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) != 0) return false;
  if (type != REG_DWORD || size != 4) return false;
  *value = read;
  return true;
}

bool RegSetDword(HKEY key, const WCHAR* valueName, uint32_t value) {
  DWORD data = value;
  return RegSetValueExW(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), 4) == 0;
}

bool RegSetString(HKEY key, const WCHAR* valueName, const EncodedString& text) {
  EncodedString wide(text);
  if (!wide.ConvertToUtf16() || !wide.IsOk()) return false;
  if (wide.ByteLength() == 0) return RegSetValueExW(key, valueName, 0, REG_SZ, nullptr, 0) == 0;
  const WCHAR* units = wide.CStr();
  if (!units) return false;
  return RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(units), wide.ByteLength() + 2) == 0;
}

bool RegDeleteValueAt(HKEY key, const WCHAR* valueName) { return RegDeleteValueW(key, valueName) == 0; }

bool LoadStringResourceInto(uint32_t stringId, EncodedString* text) {
  const WCHAR* localized = LoadLocalizedString(stringId);
  if (!localized) return false;
  return text->FromWide(localized);
}
