// EncodedString::ProbeFile: reads a whole file through a FileStream (read
// access, open existing, shared for reading) and hands the bytes to
// TakeFileBytes, which recognises the byte-order marks.
#include "foundation/encoded_string/encoded_string.h"
#include "foundation/files/file_mode.h"
#include "foundation/files/file_stream.h"
#include "platform/memory/allocator.h"

bool EncodedString::ProbeFile(const EncodedString& path) {
  FileStream stream;
  // The path is converted before this string changes, so a string may probe
  // the file it names.
  if (!stream.Open(path, kFileModeReadShared, kFileAttributeArgNormal)) {
    status.SetError(kErrorFileRead);
    return false;
  }
  uint32_t size = stream.Size();
  uint8_t* bytes = nullptr;
  if (size > 0) {
    bytes = static_cast<uint8_t*>(DeviceAlloc(size));
    if (!bytes) {
      status.SetError(kErrorNoMemory);
      return false;
    }
  }
  uint32_t read = size > 0 ? stream.Read(bytes, size) : 0;
  stream.Close();
  bool ok = TakeFileBytes(bytes, read);
  DeviceFree(bytes);
  if (read < size) {
    status.SetError(kErrorFileRead);
    ok = false;
  }
  return ok;
}
