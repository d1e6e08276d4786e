// The device registry: keys under the roots HKEY_LOCAL_MACHINE,
// HKEY_CURRENT_USER, HKEY_CLASSES_ROOT and HKEY_USERS, each holding named
// values (REG_SZ, REG_DWORD, REG_BINARY, ... stored as bytes) and subkeys.
//
// As on the device: key and value names compare without letter case and keep
// the case they were created with; subkeys and values enumerate in the order
// they were created; RegDeleteKeyW removes the key with everything beneath it.
// The whole registry is one file in the platform's private folder of the
// device root, re-read when another process changed it and replaced
// atomically on every change, so every process on the same root sees the
// same registry. Calls answer the device's error codes (LONG), never throw.
#pragma once

#include "platform/types/device_types.h"

struct RegistryKeyObject;
using HKEY = RegistryKeyObject*;
using PHKEY = HKEY*;
using REGSAM = DWORD;

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002u)))
#define HKEY_USERS (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000003u)))

// Value types.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;

// Access rights are accepted and ignored, as on the device.
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Dispositions of RegCreateKeyExW.
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Error codes only the registry answers.
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_NO_MORE_ITEMS = 259;
constexpr LONG ERROR_BADDB = 1009;
constexpr LONG ERROR_CANTWRITE = 1013;
constexpr LONG ERROR_KEY_DELETED = 1018;

// Names longer than these are refused with ERROR_INVALID_PARAMETER.
constexpr size_t kMaxRegistryKeyName = 255;
constexpr size_t kMaxRegistryValueName = 16383;

// A null or empty subkey opens the key itself again (a new handle).
LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
// Creates every missing key of the path; the disposition (may be null) says
// whether the last one was created or already there.
LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options,
                     REGSAM access, void* security, PHKEY result, LPDWORD disposition);
LONG RegCloseKey(HKEY key);
// With null data the size is answered (and ERROR_SUCCESS); with a buffer too
// small the size is answered with ERROR_MORE_DATA and nothing is copied. A
// null or empty name is the key's default value.
LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataBytes);
LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataBytes);
LONG RegDeleteValueW(HKEY key, LPCWSTR valueName);
// Deletes the subkey with all its values and subkeys. Handles still open on
// it answer ERROR_KEY_DELETED from then on.
LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey);
// nameUnits: in, the buffer's size in characters with room for the NUL; out,
// the name's length without it. ERROR_NO_MORE_ITEMS past the last subkey.
LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameUnits, LPDWORD reserved,
                   LPWSTR keyClass, LPDWORD classUnits, FILETIME* lastWrite);
LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameUnits, LPDWORD reserved,
                   LPDWORD type, LPBYTE data, LPDWORD dataBytes);
// Counts and longest names of a key; any out pointer may be null.
LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, LPDWORD classUnits, LPDWORD reserved,
                      LPDWORD subKeys, LPDWORD maxSubKeyUnits, LPDWORD maxClassUnits,
                      LPDWORD values, LPDWORD maxValueNameUnits, LPDWORD maxValueBytes,
                      LPDWORD securityDescriptor, FILETIME* lastWrite);
// Every change is written through at once; flushing has nothing left to do.
LONG RegFlushKey(HKEY key);
