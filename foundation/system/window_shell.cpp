// Window utilities: the open-file dialog, opening a file through the
// shell, the platform's version and dates in the user's short form.
#include <new>

#include "foundation/system/window_utilities.h"
#include "platform/locale/date_time_format.h"
#include "platform/locale/locale_ids.h"
#include "platform/modules/modules.h"
#include "platform/shell/os_version.h"
#include "platform/time/system_time.h"

namespace {

constexpr DWORD kPathChars = 260;

// The text up to (not including) its last backslash or slash; the whole
// text when it holds neither.
int32_t FolderLength(const WCHAR* path, int32_t length) {
  for (int32_t i = length; i-- > 0;) {
    if (path[i] == u'\\' || path[i] == u'/') return i;
  }
  return length;
}

}  // namespace

bool ShowOpenFileDialogSingle(HWND owner, const WCHAR* filter, SegmentedStringArray* result, uint32_t filterIndex,
                              EncodedString* folder) {
  WCHAR* file = new (std::nothrow) WCHAR[kPathChars];
  WCHAR* title = new (std::nothrow) WCHAR[kPathChars];
  if (file == nullptr || title == nullptr) {
    delete[] file;
    delete[] title;
    return false;
  }
  file[0] = 0;
  title[0] = 0;
  EncodedString initial;
  OPENFILENAMEW info{};
  info.lStructSize = sizeof(info);
  info.hwndOwner = owner;
  info.hInstance = GetModuleHandleW(nullptr);
  info.lpstrFilter = filter;
  info.lpstrFile = file;
  info.nMaxFile = kPathChars;
  info.lpstrFileTitle = title;
  info.nMaxFileTitle = kPathChars;
  if (folder != nullptr && !folder->IsEmpty()) {
    initial.Assign(*folder);
    if (initial.ConvertToUtf16()) info.lpstrInitialDir = initial.CStr();
  }
  info.Flags = OFN_OVERWRITEPROMPT;
  info.nFilterIndex = filterIndex;
  bool chosen = GetOpenFileNameW(&info) != FALSE;
  if (chosen) {
    file[kPathChars - 1] = 0;
    int32_t length = 0;
    while (file[length] != 0) ++length;
    EncodedString* slot = result->AppendSlot();
    if (slot == nullptr || !slot->FromWide(file, length)) {
      chosen = false;
    } else if (folder != nullptr) {
      folder->FromWide(file, FolderLength(file, length));
    }
  }
  delete[] file;
  delete[] title;
  return chosen;
}

bool ShellOpen(const EncodedString& path, HWND window) {
  EncodedString wide;
  wide.Assign(path);
  if (!wide.ConvertToUtf16()) return false;
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = window;
  info.lpVerb = u"Open";
  info.lpFile = wide.CStr();
  info.lpParameters = u"";
  info.lpDirectory = u"";
  info.nShow = 5;  // SW_SHOW
  return ShellExecuteExW(&info) != FALSE;
}

bool GetOsVersion(uint32_t* major, uint32_t* minor) {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExW(&info) || info.dwPlatformId != VER_PLATFORM_WIN32_CE) return false;
  *major = info.dwMajorVersion;
  *minor = info.dwMinorVersion;
  return true;
}

bool IsOsVersionAbove50() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExW(&info)) return false;
  return info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion > 0);
}

bool FormatUnixDate(int64_t seconds, EncodedString* out) {
  out->Clear();
  int64_t ticks = seconds * 10000000 + 116444736000000000LL;
  if (ticks < 0) return false;
  FILETIME fileTime{static_cast<DWORD>(ticks), static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32)};
  SYSTEMTIME date{};
  if (!FileTimeToSystemTime(&fileTime, &date)) return false;
  int length = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, nullptr, 0);
  if (length <= 0) return false;
  WCHAR* buffer = new (std::nothrow) WCHAR[static_cast<size_t>(length)];
  if (buffer == nullptr) return false;
  int written = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, buffer, length);
  bool ok = written > 0 && out->FromWide(buffer, written - 1);
  delete[] buffer;
  return ok;
}
