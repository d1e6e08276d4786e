// Storage cards: listing them, telling whether a path lies on one, and
// probing whether a folder can be written.
#include "foundation/files/storage_cards.h"

#include "foundation/files/file_mode.h"
#include "foundation/files/file_stream.h"
#include "foundation/files/folders_wide_path.h"
#include "platform/core/last_error.h"
#include "platform/files/files.h"

namespace {

bool IsCardAttributes(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & kStorageCardAttributes) == kStorageCardAttributes;
}

// Index of the first backslash after the first character, or 0 when none.
uint32_t SecondSeparator(const WCHAR* text) {
  if (!text[0]) return 0;
  for (uint32_t i = 1; text[i]; ++i)
    if (text[i] == u'\\') return i;
  return 0;
}

void AppendHex(EncodedString* text, uint32_t value, uint32_t digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  for (uint32_t d = digits; d-- > 0;) text->AppendChar(static_cast<uint8_t>(kDigits[(value >> (4 * d)) & 0xF]));
}

// Creates, checks and deletes a file of a new unique name in the folder.
// The name is taken only when the platform creates it new, so no existing
// file is ever opened.
bool ProbeFolder(const WCHAR* folder, uint32_t folderUnits) {
  static uint32_t counter = 0;
  for (int attempt = 0; attempt < 64; ++attempt) {
    EncodedString probe;
    if (!probe.FromWide(folder, static_cast<int32_t>(folderUnits))) return false;
    AppendWideText(&probe, u"\\~qw");
    AppendHex(&probe, (counter++) & 0xFFFF, 4);
    if (!AppendWideText(&probe, u".tmp")) return false;
    const WCHAR* name = probe.CStrOrEmpty();
    FileStream stream;
    if (!stream.Open(name, kFileModeWrite | kFileModeCreateNew, kFileAttributeArgNormal)) {
      if (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS) continue;
      return false;
    }
    stream.Close();
    bool exists = GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES;
    DeleteFileW(name);
    return exists;
  }
  return false;
}

}  // namespace

bool EnumerateStorageCards(EncodedStringArray* cards) {
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(u"\\*", &data);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool found = false;
  do {
    if (!IsCardAttributes(data.dwFileAttributes)) continue;
    data.cFileName[MAX_PATH - 1] = 0;
    EncodedString& card = cards->At(cards->Count());
    card.FromWide(u"\\");
    AppendWideText(&card, data.cFileName);
    found = true;
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return found;
}

bool IsOutsideStorageCard(const EncodedString& path) {
  WidePath wide;
  if (!wide.Set(path)) return true;
  const WCHAR* text = wide.Get();
  uint32_t second = SecondSeparator(text);
  if (second == 0) return true;
  EncodedString first;
  if (!first.FromWide(text, static_cast<int32_t>(second))) return true;
  return !IsCardAttributes(GetFileAttributesW(first.CStrOrEmpty()));
}

bool CanWriteToFolder(const EncodedString& path) {
  WidePath wide;
  if (!wide.Set(path)) return false;
  const WCHAR* text = wide.Get();
  uint32_t second = SecondSeparator(text);
  if (second == 0) return true;
  EncodedString first;
  if (!first.FromWide(text, static_cast<int32_t>(second))) return false;
  DWORD attributes = GetFileAttributesW(first.CStrOrEmpty());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (IsCardAttributes(attributes)) {
    if (!AppendWideText(&first, u"\\qvr_ro")) return false;
    if (GetFileAttributesW(first.CStrOrEmpty()) != INVALID_FILE_ATTRIBUTES) return false;
  }
  uint32_t last = second;
  for (uint32_t i = second; text[i]; ++i)
    if (text[i] == u'\\') last = i;
  return ProbeFolder(text, last);
}
