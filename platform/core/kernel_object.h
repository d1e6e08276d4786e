// Handles of the device's kernel objects (files, find searches, mappings,
// events, mutexes, threads). A HANDLE is a small number in a process-wide
// table, never a host descriptor, so a stale or forged handle is caught.
#pragma once

#include <memory>

#include "platform/types/device_types.h"

class KernelObject {
 public:
  virtual ~KernelObject() = default;
  // Called once when the last handle to the object is closed.
  virtual void OnClose() {}
  // After OnClose: the error closing met (a file's delayed write that
  // failed), or ERROR_SUCCESS. The handle is gone either way.
  virtual DWORD CloseError() const { return 0; }
};

HANDLE RegisterKernelObject(std::shared_ptr<KernelObject> object);
std::shared_ptr<KernelObject> LookupKernelObject(HANDLE handle);

template <class T>
std::shared_ptr<T> LookupHandle(HANDLE handle) {
  return std::dynamic_pointer_cast<T>(LookupKernelObject(handle));
}

// Removes the handle from the table; false (and ERROR_INVALID_HANDLE) when it
// is not a live handle, false (and the object's close error) when closing
// the object failed, the handle being removed all the same.
bool ReleaseKernelHandle(HANDLE handle);

BOOL CloseHandle(HANDLE handle);
