// Temporary file names: made through the platform's GetTempFileNameW (which
// creates the file), and cleared at start by DeleteTempFiles.
#include "foundation/files/temp_files.h"

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/files/folders.h"
#include "foundation/files/folders_wide_path.h"
#include "platform/files/files.h"

bool CreateTempFileWithPrefix(const WCHAR* prefix, WCHAR* out) {
  WCHAR folder[MAX_PATH];
  DWORD units = GetTempPathW(MAX_PATH, folder);
  if (units == 0 || units >= MAX_PATH) return false;
  return GetTempFileNameW(folder, prefix, 0, out) != 0;
}

bool MakeTempFileName(WCHAR* buffer, uint32_t* bufferUnits, const WCHAR* extension) {
  if (!bufferUnits) return false;
  WCHAR created[MAX_PATH];
  if (!CreateTempFileWithPrefix(u"zvk", created)) return false;
  uint32_t units = WideLength(created);
  EncodedString name;
  bool built = name.FromWide(created, static_cast<int32_t>(units));
  if (built && extension && units >= 4 && created[units - 4] == u'.') {
    name.length = (units - 3) * 2;
    name.SelectAll();
    built = AppendWideText(&name, extension);
  }
  if (!built) {
    DeleteFileW(created);
    return false;
  }
  uint32_t nameUnits = name.ByteLength() / 2;
  if (!buffer || *bufferUnits < nameUnits + 1) {
    DeleteFileW(created);
    *bufferUnits = nameUnits + 9;
    return false;
  }
  const WCHAR* text = name.Chars();
  for (uint32_t i = 0; i < nameUnits; ++i) buffer[i] = text[i];
  buffer[nameUnits] = 0;
  return true;
}

void DeleteTempFiles() {
  WCHAR folder[MAX_PATH];
  DWORD units = GetTempPathW(MAX_PATH, folder);
  if (units == 0 || units >= MAX_PATH) return;
  DeleteFilesMatching(folder, u"zvk*.tmp");
}
