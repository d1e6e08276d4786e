// The shell's special folders, fixed paths of the device.
#include "platform/shell/special_folders.h"

#include <algorithm>
#include <string>

#include "platform/core/last_error.h"
#include "platform/files/files.h"
#include "platform/shell/shell_state.h"

namespace {

const char16_t* FolderPath(int folder) {
  switch (folder) {
    case CSIDL_PROGRAMS: return u"\\Windows\\Start Menu\\Programs";
    case CSIDL_PERSONAL: return u"\\My Documents";
    case CSIDL_FAVORITES: return u"\\Windows\\Favorites";
    case CSIDL_STARTUP: return u"\\Windows\\StartUp";
    case CSIDL_STARTMENU: return u"\\Windows\\Start Menu";
    case CSIDL_DESKTOPDIRECTORY: return u"\\Windows\\Desktop";
    case CSIDL_FONTS: return u"\\Windows\\Fonts";
    case CSIDL_APPDATA: return u"\\Application Data";
    case CSIDL_WINDOWS: return u"\\Windows";
    case CSIDL_PROGRAM_FILES: return u"\\Program Files";
    default: return nullptr;
  }
}

bool IsFolder(const std::u16string& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Makes the folder and every missing parent.
bool MakeFolders(const std::u16string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != u'\\') continue;
    std::u16string prefix = path.substr(0, i);
    if (!IsFolder(prefix) && !CreateDirectoryW(prefix.c_str(), nullptr)) return false;
  }
  return true;
}

BOOL Answer(HWND owner, LPWSTR out, int folder, BOOL create) {
  const char16_t* known = FolderPath(folder);
  if (!out || !known) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::u16string path = known;
  if (!IsFolder(path) && (!create || !MakeFolders(path))) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  (void)owner;
  std::copy(path.begin(), path.end(), out);
  out[path.size()] = 0;
  return TRUE;
}

}  // namespace

// Linked by the system directly, so nothing may be thrown out of it.
BOOL SHGetSpecialFolderPath(HWND owner, LPWSTR path, int folder, BOOL create) {
  try {
    BOOL result = Answer(owner, path, folder, create);
    auto& state = devshell::State();
    std::lock_guard<std::mutex> guard(state.lock);
    return static_cast<BOOL>(devshell::Record(state, "SHGetSpecialFolderPath", owner, {folder, create ? 1 : 0},
                                              result ? devshell::TextOf(path) : u"", result));
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
}
