// EncodedString::TakeFileBytes: a whole file's bytes taken into a string, with
// the byte-order mark recognised (UTF-16 in either order, UTF-8) and 7-bit
// text assumed otherwise. ProbeFile (encoded_string_probe_file.cpp) reads the
// file through the file stream and hands its bytes here.
#include "foundation/encoded_string/encoded_string.h"

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
