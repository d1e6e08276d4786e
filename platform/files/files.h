// The device's file calls over the device root (platform/files/device_root.h):
// device paths start at "\" with backslash separators, resolve without regard
// to letter case and can never leave the root. Attributes the host lacks
// (hidden, temporary, read-only, system) and creation times are kept in a
// store inside the root. Handles are closed with CloseHandle
// (platform/core/kernel_object.h), which answers FALSE when closing a file
// open for writing met a delayed write error (the handle is closed anyway).
#pragma once

#include "platform/core/kernel_object.h"
#include "platform/types/device_types.h"

constexpr DWORD GENERIC_READ = 0x80000000u;
constexpr DWORD GENERIC_WRITE = 0x40000000u;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;

constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x2;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x4;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_ATTRIBUTE_TEMPORARY = 0x100;
constexpr DWORD FILE_FLAG_DELETE_ON_CLOSE = 0x04000000u;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;

constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFFu;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFFu;

constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;

struct WIN32_FIND_DATAW {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwOID;
  WCHAR cFileName[MAX_PATH];
};

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD shareMode, void* security,
                   DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, void* overlapped);
// A write that cannot complete (disk full, injected failure) writes what it
// can, reports that count and answers FALSE with ERROR_DISK_FULL.
BOOL WriteFile(HANDLE file, LPCVOID data, DWORD bytesToWrite, LPDWORD bytesWritten, void* overlapped);
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method);
DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);
BOOL SetEndOfFile(HANDLE file);
// Writes the file's data through to its store (a handle open for writing
// only); FALSE with the store's error (ERROR_DISK_FULL, ERROR_WRITE_FAULT,
// ...) when data written before could not be stored.
BOOL FlushFileBuffers(HANDLE file);
BOOL GetFileTime(HANDLE file, FILETIME* creation, FILETIME* lastAccess, FILETIME* lastWrite);
BOOL SetFileTime(HANDLE file, const FILETIME* creation, const FILETIME* lastAccess, const FILETIME* lastWrite);

BOOL DeleteFileW(LPCWSTR path);
BOOL MoveFileW(LPCWSTR from, LPCWSTR to);
// With MOVEFILE_REPLACE_EXISTING an existing target is replaced in one atomic
// step; the replaced file's emulated attributes and creation time carry over
// to the file that takes its place (the way saving keeps a file's identity).
// With MOVEFILE_WRITE_THROUGH the call returns once the move is stored: the
// folders are synced, and a sync that fails answers FALSE with its error
// although the move itself has happened.
BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags);
BOOL CopyFileW(LPCWSTR from, LPCWSTR to, BOOL failIfExists);
BOOL CreateDirectoryW(LPCWSTR path, void* security);
BOOL RemoveDirectoryW(LPCWSTR path);
DWORD GetFileAttributesW(LPCWSTR path);
BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes);

// Patterns use '*' and '?' in the last component. "." and ".." are never
// reported. Only regular files and folders are part of the device: a host
// symbolic link, FIFO, socket or device node is never listed, never opened
// and never followed; its name stays taken (CREATE_NEW answers
// ERROR_FILE_EXISTS, OPEN_ALWAYS ERROR_ACCESS_DENIED), and CREATE_ALWAYS,
// CopyFileW, MoveFileExW with MOVEFILE_REPLACE_EXISTING and DeleteFileW act
// on the entry itself, never on what a link points to. A file with more than
// one hard link is never opened for writing (ERROR_ACCESS_DENIED): its other
// names may lie outside the root. Host names that are not UTF-8 show each
// undecodable byte b as U+DC00 + b.
HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data);
BOOL FindNextFileW(HANDLE search, WIN32_FIND_DATAW* data);
BOOL FindClose(HANDLE search);

// The temporary folder is "\Temp\" (created on demand).
DWORD GetTempPathW(DWORD bufferUnits, LPWSTR buffer);
// Creates the file <folder>\<prefix up to 3 chars><hex>.tmp, as the device does.
UINT GetTempFileNameW(LPCWSTR folder, LPCWSTR prefix, UINT unique, LPWSTR out);
BOOL GetDiskFreeSpaceExW(LPCWSTR path, ULARGE_INTEGER* freeToCaller, ULARGE_INTEGER* total,
                         ULARGE_INTEGER* totalFree);

// Mapped files: the mapping handle comes from a file opened for mapping.
constexpr DWORD PAGE_READONLY = 0x02;
constexpr DWORD PAGE_READWRITE = 0x04;
constexpr DWORD FILE_MAP_WRITE = 0x0002;
constexpr DWORD FILE_MAP_READ = 0x0004;
HANDLE CreateFileForMappingW(LPCWSTR path, DWORD access, DWORD shareMode, void* security,
                             DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile);
HANDLE CreateFileMappingW(HANDLE file, void* security, DWORD protect, DWORD maximumSizeHigh,
                          DWORD maximumSizeLow, LPCWSTR name);
LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, DWORD bytes);
BOOL UnmapViewOfFile(LPCVOID base);
// Unlocking pages that are not locked (none ever are here) takes them out of
// the process's working set: every page holding a byte of the range that
// lies in a view of a file is dropped, and read again from the file at its
// next touch, so nothing it holds is lost. Other memory is left as it is.
// The answer is the device's for unlocked pages: FALSE with
// ERROR_NOT_LOCKED (ERROR_INVALID_ADDRESS for a range in no view).
BOOL VirtualUnlock(LPVOID address, DWORD size);
