// EncodedString's whole-file reading: ProbeFile reads a file through a
// FileStream (read access, open existing, shared for reading) and hands the
// bytes to TakeFileBytes, which takes them into the string with the
// byte-order mark recognised (UTF-16 in either order, UTF-8) and 7-bit text
// assumed otherwise.
#include "foundation/encoded_string/encoded_string.h"
#include "foundation/files/file_mode.h"
#include "foundation/files/file_stream.h"
#include "platform/memory/allocator.h"

bool EncodedString::TakeFileBytes(const uint8_t* bytes, uint32_t n) {
  if (n >= 2 && (bytes[0] == 0xFF || bytes[0] == 0xFE) && bytes[1] == (bytes[0] ^ 0x01)) {
    bool swap = bytes[0] == 0xFE;
    uint32_t textBytes = n - 2;
    bool odd = textBytes & 1;
    if (!AssignRaw(bytes + 2, textBytes - (odd ? 1 : 0), kUnitUtf16, 65002)) return false;
    if (swap) SwapUtf16Bytes();
    if (odd) status.SetError(kErrorFileRead);
  } else if (n >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    if (!AssignRaw(bytes + 3, n - 3, kUnitMultibyte, 65001)) return false;
  } else {
    if (!AssignRaw(bytes, n, kUnitSingleByte, 20105)) return false;
  }
  SelectAll();
  cursor = -1;
  return status.IsOk();
}

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
