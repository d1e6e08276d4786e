// Folder and path helpers: create, delete, exists, size by name, move into a
// folder, delete by pattern.
#include "foundation/files/folders.h"

#include "foundation/files/folders_wide_path.h"
#include "platform/files/files.h"

namespace {

constexpr uint32_t kMaxPatternFolderUnits = 518;

bool IsDriveRoot(const WCHAR* text, uint32_t units) {
  if (units != 2 || text[1] != u':') return false;
  WCHAR c = text[0];
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The folder's text without one trailing backslash, as a UTF-16 string.
bool FolderWithoutTrailingBackslash(const WCHAR* folder, EncodedString* out) {
  uint32_t units = WideLength(folder);
  if (units > 0 && folder[units - 1] == u'\\') --units;
  return out->FromWide(folder, static_cast<int32_t>(units));
}

}  // namespace

bool CreateFolder(const EncodedString& path) {
  WidePath wide;
  return wide.Set(path) && CreateDirectoryW(wide.Get(), nullptr) != FALSE;
}

bool DeleteFileAtPath(const EncodedString& path) {
  WidePath wide;
  return wide.Set(path) && DeleteFileW(wide.Get()) != FALSE;
}

bool PathExists(const EncodedString& path) {
  EncodedString text;
  WidePath wide;
  if (!wide.Set(path) || !FolderWithoutTrailingBackslash(wide.Get(), &text)) return false;
  const WCHAR* units = text.CStrOrEmpty();
  uint32_t n = text.ByteLength() / 2;
  if (IsDriveRoot(units, n)) return true;
  // "\" (now empty) is the device's root, which always exists.
  if (n == 0) return wide.Units() > 0;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(units, &data);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

bool GetFileSizeByName(const EncodedString& path, uint32_t* size) {
  WidePath wide;
  if (!wide.Set(path)) return false;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(wide.Get(), &data);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  if (data.nFileSizeHigh != 0) return false;
  if (size) *size = data.nFileSizeLow;
  return true;
}

bool IsRootedPath(const EncodedString& path) {
  WidePath wide;
  if (!wide.Set(path)) return false;
  return wide.Units() > 1 && wide.Get()[0] == u'\\';
}

bool MoveFileInto(const EncodedString& file, const EncodedString& folder, EncodedString* target,
                  bool replace) {
  WidePath source;
  WidePath folderText;
  if (!source.Set(file) || !folderText.Set(folder)) return false;
  const WCHAR* sourceText = source.Get();
  uint32_t nameStart = 0;
  for (uint32_t i = 0; sourceText[i]; ++i)
    if (sourceText[i] == u'\\' || sourceText[i] == u'/') nameStart = i + 1;
  target->FromWide(folderText.Get());
  AppendWideText(target, u"\\");
  if (!AppendWideText(target, sourceText + nameStart)) return false;
  if (target->EqualsWide(sourceText)) return true;
  const WCHAR* targetText = target->CStrOrEmpty();
  if (replace) DeleteFileW(targetText);
  return MoveFileW(sourceText, targetText) != FALSE;
}

void DeleteFilesMatching(const WCHAR* folder, const WCHAR* pattern) {
  if (!folder || !pattern) return;
  if (WideLength(folder) > kMaxPatternFolderUnits) return;
  EncodedString base;
  if (!FolderWithoutTrailingBackslash(folder, &base) || !AppendWideText(&base, u"\\")) return;
  EncodedString search(base);
  if (!AppendWideText(&search, pattern)) return;
  WIN32_FIND_DATAW data;
  HANDLE handle = FindFirstFileW(search.CStrOrEmpty(), &data);
  if (handle == INVALID_HANDLE_VALUE) return;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    data.cFileName[MAX_PATH - 1] = 0;
    EncodedString entry(base);
    if (AppendWideText(&entry, data.cFileName)) DeleteFileW(entry.CStrOrEmpty());
  } while (FindNextFileW(handle, &data));
  FindClose(handle);
}

void DeleteMatchingFiles(const EncodedString& folder, const EncodedString& pattern) {
  WidePath folderText;
  WidePath patternText;
  if (!folderText.Set(folder) || !patternText.Set(pattern)) return;
  DeleteFilesMatching(folderText.Get(), patternText.Get());
}
