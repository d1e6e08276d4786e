// EncodedString::ProbeFile: reading a whole text file into a string, with its
// byte-order mark recognised (UTF-16 in either order, UTF-8) and 7-bit text
// assumed otherwise.
#include "foundation/encoded_string.h"

bool EncodedString::ProbeFile(const EncodedString& path) {
  // Reads through the device file stream (read access, open existing, shared
  // for reading) and hands the bytes to TakeFileBytes once the file layer
  // exists; until then every file counts as one that cannot be opened.
  (void)path;
  AssignRaw(nullptr, 0, kUnitSingleByte, 20105);
  status.SetError(kErrorFileRead);
  return false;
}

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
