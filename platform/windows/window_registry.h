// The registry of live top-level windows of every process on one device
// root: one small file per window in the folder "windows" of the root's
// private state folder (devicefs::StateFolder). A process adds its windows
// when it makes them and removes them when they die; an entry whose process
// has ended (its id gone, or reused by a process started at another time) is
// ignored and deleted by whoever meets it. Internal to platform/windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/windows/window_object.h"

namespace devwin {

struct RegisteredWindow {
  WindowIdentity identity;
  uint64_t createdAt = 0;
  std::u16string className;
  std::u16string title;
};

// The start time of a running process (clock ticks since boot, from
// /proc); 0 when it is gone or a zombie.
uint64_t ProcessStartTime(uint32_t pid);
bool ProcessAlive(uint32_t pid, uint64_t startTime);

// Writes (or rewrites) the entry of a window of this process.
void AddRegistration(const RegisteredWindow& window);
void RemoveRegistration(const WindowIdentity& identity);
// Every live window of other processes, oldest first.
std::vector<RegisteredWindow> OtherProcessesWindows();
// The entry of a window when it is registered and its process lives.
bool FindRegistration(const WindowIdentity& identity, RegisteredWindow* out);

}  // namespace devwin
