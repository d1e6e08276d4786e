// Addresses from books, side files and the command line: the input is split
// at its first NUL byte into a base address and a text (UTF-16 little-endian
// units when the first byte is odd, bytes as Latin-1 otherwise); the base is
// parsed, the text parsed alone and against the base, and every result
// turned back into text.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "browser/addresses/location.h"

namespace {

SharedWideString Text(const uint8_t* data, size_t size, bool wide) {
  SharedWideString text;
  if (wide) {
    const size_t units = size / 2;
    if (units == 0 || !text.Reserve(static_cast<uint32_t>(units))) return text;
    for (size_t i = 0; i < units; ++i) {
      const WCHAR unit = static_cast<WCHAR>(data[2 * i] | (data[2 * i + 1] << 8));
      text.AppendCharsUnchecked(&unit, 1);
    }
  } else if (size != 0) {
    text.FromLatin1(data, static_cast<uint32_t>(size));
  }
  return text;
}

void Exercise(const Location& location) {
  SharedWideString out;
  Location::GetText(location, &out);
  location.url.GetText(&out, false);
  Location::GetPosFromFragment(location.fragment);
  int32_t number = 0;
  SplitStreamFragment(location.fragment, &number, &out);
  int32_t kind = 0;
  GetSideFileListKind(location.url, &kind);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool wide = (data[0] & 1) != 0;
  ++data;
  --size;
  const uint8_t* split = static_cast<const uint8_t*>(std::memchr(data, 0, size));
  const size_t baseSize = split == nullptr ? 0 : static_cast<size_t>(split - data);
  const SharedWideString baseText = Text(data, baseSize, wide);
  const size_t rest = split == nullptr ? 0 : baseSize + 1;
  const SharedWideString text = Text(data + rest, size - rest, wide);

  Location base;
  if (Location::Parse(&base, baseText, nullptr)) Exercise(base);
  Location alone;
  if (Location::Parse(&alone, text, nullptr)) Exercise(alone);
  Location resolved;
  if (Location::ParseRelative(&resolved, text, base.url)) Exercise(resolved);
  Url file;
  if (file.FromFilePath(text)) Exercise(Location());
  return 0;
}
