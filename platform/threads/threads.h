// Threads of the device: creation, identity, the exit code, and Sleep.
//
// The UI thread is the process's first thread (the one the program's main
// runs on, and the thread that forked a child process). In tests its Sleep
// moves the virtual clock (platform/time/clock_hooks.h) instead of waiting;
// worker threads sleep in real time and never move the clock.
#pragma once

#include "platform/types/device_types.h"

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID parameter);

constexpr DWORD CREATE_SUSPENDED = 0x4;
constexpr DWORD STILL_ACTIVE = 0x103;

// A handle (closed with CloseHandle) that WaitForSingleObject sees signalled
// when the thread has returned from `start`. `security` and `stackSize` are
// ignored. `threadId` (optional) receives the new thread's identifier.
HANDLE CreateThread(void* security, DWORD stackSize, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD flags, LPDWORD threadId);
// Starts a thread created with CREATE_SUSPENDED; the suspend count before
// the call (0xFFFFFFFF for a bad handle).
DWORD ResumeThread(HANDLE thread);
// STILL_ACTIVE while it runs, then what its start routine returned.
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);

DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();

// Sleep(0) gives up the rest of the time slice.
void Sleep(DWORD milliseconds);

namespace devthreads {

// True on the process's first thread.
bool IsUiThread();

}  // namespace devthreads
