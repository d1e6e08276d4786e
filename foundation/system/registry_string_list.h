// RegistryStringList: a most-recent-first list of texts kept under one
// registry key as the REG_DWORD value "Length" and the REG_SZ values "0",
// "1", ... ("0" the most recent). The list never changes "Length": pushing a
// new text drops the last entry, pushing a known one moves it to the front,
// removing one shifts the later ones up and deletes the last value.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/encoded_string/encoded_string_array.h"
#include "platform/registry/registry.h"

class RegistryStringList {
 public:
  // The subkey path is held in UTF-16.
  RegistryStringList(HKEY root, const EncodedString& subkeyPath);

  // Empties the array (room for 5) and reads the entries in order until
  // "Length" were read or one is missing; false when the key cannot be
  // opened or has no "Length".
  bool Load(EncodedStringArray* out);
  // Sets "Length" of an existing key.
  bool SetLength(uint32_t n);
  // Puts the text first (exact, case-sensitive match with the entries).
  void PushFront(const EncodedString& text);
  // Removes the first entry equal to the text.
  void Remove(const EncodedString& text);

 private:
  bool Open(HKEY* key);

  HKEY root_;
  EncodedString subkey_;
};
