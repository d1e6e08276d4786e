// The error codes of opening and reading stored files: one space shared by
// the stream factory, the documents and the loader, which turns a code into
// the message the user sees. 0 is success.
#pragma once

#include <cstdint>

constexpr int32_t kStorageOk = 0;
constexpr int32_t kStorageBadVersion = 1;             // bad version number
constexpr int32_t kStorageRecordSizeUnsupported = 2;  // text record size not supported
constexpr int32_t kStorageCorrupt = 8;                // invalid head, unreadable record 0, unknown layout
constexpr int32_t kStorageFileNotFound = 9;
constexpr int32_t kStorageNoMemory = 10;
constexpr int32_t kStorageNewerFormat = 11;           // header version above 7
constexpr int32_t kStorageCannotOpen = 12;            // the file cannot be opened

// Stores `code` through `error` when it is given.
inline void SetStorageError(int32_t* error, int32_t code) {
  if (error) *error = code;
}
