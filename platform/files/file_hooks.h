// The file layer's test control: fresh device roots, reported free space,
// and injected write, sync and close failures, with counts of what is open.
// Test and fuzz builds only; tests reach it through platform/testing/files.h.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the file hooks exist only in test and fuzz builds"
#endif

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace devtest {

// Makes a new empty temporary device root (removing the previous one that
// this process made) with the given storage cards.
void UseFreshDeviceRoot(const std::vector<std::u16string>& cards = {u"Storage Card"});
std::filesystem::path DeviceRootFolder();
// The host path of a device path (which need not exist).
std::filesystem::path HostPath(const std::u16string& devicePath);

// Free and total bytes reported for the root or card holding a path
// ("\" for the device's own memory, "\Storage Card" for a card).
void SetDiskSpace(const std::u16string& rootOrCard, uint64_t freeBytes, uint64_t totalBytes);

// The n-th WriteFile from now (1 = the next) writes only `bytesWritten`
// bytes (capped at the request) and fails with ERROR_DISK_FULL.
void FailNthWrite(long n, uint32_t bytesWritten = 0);
// The n-th WriteFile from now writes half its bytes and ends the process at
// once with exit code 86: how a crash in the middle of a save is tested in a
// child process. TESSALYN_EXIT_AT_WRITE=n does the same for a whole program
// built with the hooks.
void ExitAtNthWrite(long n);
long WriteCallCount();

// Delayed write errors, given as the host's errno (EIO: the card failed or
// was removed; ENOSPC: it filled up), which the file layer then maps.
// The n-th sync from now fails: FlushFileBuffers, or a folder sync of a
// MoveFileExW with MOVEFILE_WRITE_THROUGH. 0 cancels.
void FailNthSync(long n, int hostError = EIO);
// The n-th close from now of a file handle open for writing closes the file
// and then reports the error, as a host close() does. 0 cancels.
void FailNthClose(long n, int hostError = EIO);

int OpenFileHandleCount();
int OpenFindHandleCount();
int MappedViewCount();

// A fresh root with the default card, no injected failure, no free-space
// override (part of ResetDevice).
void ResetFiles();
// The parts of ResetFiles kept by the files that own the state.
void ResetWriteInjection();
void ResetDiskSpace();

}  // namespace devtest
