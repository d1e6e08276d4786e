// FileStream::OpenTemporary: a stream on a new file of the temporary folder,
// deleted when the stream closes.
#include "foundation/files/file_mode.h"
#include "foundation/files/file_stream.h"
#include "foundation/files/temp_files.h"
#include "platform/files/files.h"

bool FileStream::OpenTemporary() {
  CloseFile();
  WCHAR name[MAX_PATH];
  if (!CreateTempFileWithPrefix(u"qrv", name)) return false;
  if (Open(name, kFileModeTemporary, kFileAttributeArgNormal)) return true;
  DeleteFileW(name);
  return false;
}
