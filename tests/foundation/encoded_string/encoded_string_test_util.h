// Small helpers for the encoded-string tests: building strings from literals
// or from saved state, and reading their text or selection back as std
// strings.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/encoded_string/encoded_string.h"

namespace estest {

inline EncodedString Wide(const std::u16string& text) {
  EncodedString s;
  s.FromWide(text.c_str(), static_cast<int32_t>(text.size()));
  return s;
}

inline EncodedString Narrow(const std::string& text, int32_t codePage = 1252) {
  EncodedString s;
  s.AssignBytes(text.data(), static_cast<uint32_t>(text.size()), codePage);
  return s;
}

// A string as Deserialize leaves it for the given head and bytes.
inline EncodedString Deserialized(int32_t unitKind, int32_t codePage, const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> chunk(12 + bytes.size());
  EncodedString::StoreU32BigEndian(chunk.data(), static_cast<uint32_t>(bytes.size()));
  EncodedString::StoreU32BigEndian(chunk.data() + 4, static_cast<uint32_t>(codePage));
  EncodedString::StoreU32BigEndian(chunk.data() + 8, static_cast<uint32_t>(unitKind));
  for (size_t i = 0; i < bytes.size(); ++i) chunk[12 + i] = bytes[i];
  const uint8_t* cursor = chunk.data();
  uint32_t remaining = static_cast<uint32_t>(chunk.size());
  EncodedString s;
  EXPECT_TRUE(s.Deserialize(&cursor, &remaining));
  return s;
}

inline std::string Bytes(const EncodedString& s) {
  return s.buffer ? std::string(reinterpret_cast<const char*>(s.buffer), s.length) : std::string();
}

inline std::string SelectedBytes(const EncodedString& s) {
  if (!s.buffer || s.selStart >= s.selEnd) return std::string();
  uint32_t end = s.selEnd < s.length ? s.selEnd : s.length;
  return std::string(reinterpret_cast<const char*>(s.buffer) + s.selStart, end - s.selStart);
}

inline std::u16string Units(const EncodedString& s) {
  std::string b = Bytes(s);
  return std::u16string(reinterpret_cast<const char16_t*>(b.data()), b.size() / 2);
}

inline std::u16string SelectedUnits(const EncodedString& s) {
  std::string b = SelectedBytes(s);
  return std::u16string(reinterpret_cast<const char16_t*>(b.data()), b.size() / 2);
}

// The selected text as ASCII, whatever the width (for assertions on
// ASCII-only texts).
inline std::string SelectedAscii(const EncodedString& s) {
  if (s.unitKind == EncodedString::kUnitUtf16) {
    std::string out;
    for (char16_t u : SelectedUnits(s)) out.push_back(u < 0x80 ? static_cast<char>(u) : '?');
    return out;
  }
  return SelectedBytes(s);
}

inline std::string Ascii(const EncodedString& s) {
  EncodedString copy;
  copy.ShallowCopy(s);
  copy.SelectAll();
  std::string out = SelectedAscii(copy);
  copy.DetachBuffer();
  return out;
}

}  // namespace estest
