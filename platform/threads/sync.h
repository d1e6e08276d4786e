// The device's synchronisation objects: events (manual or auto reset,
// optionally named), mutexes and the wait on one object. Objects are kernel
// objects (platform/core/kernel_object.h) closed with CloseHandle; every
// handle to a named object refers to the same object, which lives until its
// last handle is closed.
//
// Events and mutexes share one namespace of names, compared exactly. Creating
// an object under a name that already exists answers a new handle to that
// object with the last error ERROR_ALREADY_EXISTS (183); a fresh creation
// sets the last error to 0. A name held by an object of the other kind fails
// with ERROR_INVALID_HANDLE.
//
// Waits use real time. In tests (platform/threads/thread_hooks.h) every wait is
// capped at two seconds, so a missing signal fails a test instead of hanging.
#pragma once

#include "platform/core/kernel_object.h"
#include "platform/types/device_types.h"

constexpr DWORD INFINITE = 0xFFFFFFFFu;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_ABANDONED = 0x80;
constexpr DWORD WAIT_TIMEOUT = 0x102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;

// EventModify functions.
constexpr DWORD EVENT_PULSE = 1;
constexpr DWORD EVENT_RESET = 2;
constexpr DWORD EVENT_SET = 3;

constexpr DWORD ERROR_NOT_OWNER = 288;

// `security` is ignored (the device has no security attributes).
HANDLE CreateEventW(void* security, BOOL manualReset, BOOL initialState, LPCWSTR name);
// EVENT_SET signals; EVENT_RESET clears; EVENT_PULSE releases the threads
// waiting now (all of them for a manual-reset event, one for an auto-reset
// event) and leaves the event clear.
BOOL EventModify(HANDLE event, DWORD function);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
BOOL PulseEvent(HANDLE event);

// A mutex is owned by one thread at a time and may be taken again by its
// owner; each wait that takes it is matched by one ReleaseMutex.
HANDLE CreateMutexW(void* security, BOOL initialOwner, LPCWSTR name);
// FALSE with ERROR_NOT_OWNER when the calling thread does not own it.
BOOL ReleaseMutex(HANDLE mutex);

// Waits for an event, a mutex or a thread (signalled when it has ended).
// 0 answers at once; INFINITE waits without limit (but see the test cap).
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);
