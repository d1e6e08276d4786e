// The last-write and creation times of a file by its path, in seconds since
// 1970-01-01 UTC (the form the library and the side files compare).
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "platform/types/device_types.h"

// 0 when the file cannot be opened or the time is zero (or before 1970).
uint32_t GetFileWriteTime(const EncodedString& path);
uint32_t GetFileCreationTime(const EncodedString& path);

// FILETIME (100 ns units since 1601) to seconds since 1970: 0 for times
// before 1970; *fits (when given) tells whether the seconds fit in 32 bits
// (the value is then cut to its low 32 bits).
uint32_t FileTimeToUnixSecondsOfFile(const FILETIME& time, bool* fits);
