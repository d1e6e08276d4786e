// Event, Mutex and SleepMs over the platform's calls.
#include "foundation/system/sync_objects.h"

#include "platform/core/last_error.h"
#include "platform/threads/threads.h"

namespace {

HANDLE Report(HANDLE handle, bool* newlyCreated) {
  if (newlyCreated != nullptr) *newlyCreated = handle != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
  return handle;
}

}  // namespace

HANDLE Event::Create(LPCWSTR name, bool* newlyCreated) {
  Close();
  handle_ = CreateEventW(nullptr, TRUE, FALSE, name);
  return Report(handle_, newlyCreated);
}

bool Event::Set() { return handle_ != nullptr && EventModify(handle_, EVENT_SET) != FALSE; }

bool Event::Reset() { return handle_ != nullptr && EventModify(handle_, EVENT_RESET) != FALSE; }

bool Event::Wait(DWORD milliseconds) {
  return handle_ != nullptr && WaitForSingleObject(handle_, milliseconds) == WAIT_OBJECT_0;
}

void Event::Close() {
  if (handle_ == nullptr) return;
  CloseHandle(handle_);
  handle_ = nullptr;
}

HANDLE Mutex::Create(LPCWSTR name, bool* newlyCreated) {
  Close();
  handle_ = CreateMutexW(nullptr, FALSE, name);
  return Report(handle_, newlyCreated);
}

void Mutex::Close() {
  if (handle_ == nullptr) return;
  CloseHandle(handle_);
  handle_ = nullptr;
}

void SleepMs(DWORD milliseconds) { Sleep(milliseconds); }
